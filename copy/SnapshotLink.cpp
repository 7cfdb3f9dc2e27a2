#include "copy/SnapshotLink.h"

namespace {

bool ReadFileData(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
  return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) != FALSE;
}

unsigned long long SizeOf(const WIN32_FILE_ATTRIBUTE_DATA& data) {
  return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// True when other is a file with the size and the last-write time of source.
bool HoldsSameFile(const WIN32_FILE_ATTRIBUTE_DATA& source, const WIN32_FILE_ATTRIBUTE_DATA& other) {
  return (other.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && SizeOf(other) == SizeOf(source) &&
         CompareFileTime(&other.ftLastWriteTime, &source.ftLastWriteTime) == 0;
}

}  // namespace

CSnapshotLink::CSnapshotLink(std::string topFolder, std::string previousTop)
    : m_topFolder(std::move(topFolder)), m_previousTop(std::move(previousTop)) {}

// A copy replaces an existing target with a new file rather than writing into it, so a
// target that shares its data with an older snapshot can be copied over safely.
bool CSnapshotLink::PlaceWithoutCopy(const std::string& source, const std::string& target) {
  WIN32_FILE_ATTRIBUTE_DATA from;
  if (!ReadFileData(source, from)) return false;
  WIN32_FILE_ATTRIBUTE_DATA there;
  const bool targetExists = ReadFileData(target, there);
  if (targetExists && HoldsSameFile(from, there)) {
    ++m_skipped;
  } else if (!targetExists && LinkToPrevious(from, target)) {
    ++m_linked;
  } else {
    return false;
  }
  m_bytesNotWritten += SizeOf(from);
  return true;
}

// The previous snapshot's file is at the target's place below its own top folder.
bool CSnapshotLink::LinkToPrevious(const WIN32_FILE_ATTRIBUTE_DATA& source, const std::string& target) const {
  const std::size_t top = m_topFolder.size();
  if (m_previousTop.empty() || target.compare(0, top, m_topFolder) != 0 || target[top] != '\\') return false;
  const std::string previous = m_previousTop + target.substr(top);
  WIN32_FILE_ATTRIBUTE_DATA held;
  return ReadFileData(previous, held) && HoldsSameFile(source, held) &&
         CreateHardLinkA(target.c_str(), previous.c_str(), nullptr);
}
