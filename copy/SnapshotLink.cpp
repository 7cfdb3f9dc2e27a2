#include "copy/SnapshotLink.h"

#include "copy/SafeFileCopy.h"

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

// A copy over an existing target writes into its data, which a hard link shares with
// older snapshots; such a target is removed first so that only this snapshot changes.
// False when it is shared and cannot be removed.
bool UnshareTarget(const std::string& target) {
  HANDLE file = CreateFileA(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return true;
  BY_HANDLE_FILE_INFORMATION information{};
  const bool shared = GetFileInformationByHandle(file, &information) && information.nNumberOfLinks > 1;
  CloseHandle(file);
  return !shared || DeleteFileA(target.c_str());
}

}  // namespace

CSnapshotLink::CSnapshotLink(std::string topFolder, std::string previousTop)
    : m_topFolder(std::move(topFolder)), m_previousTop(std::move(previousTop)) {}

bool CSnapshotLink::PutFile(const std::string& source, const std::string& target) {
  WIN32_FILE_ATTRIBUTE_DATA from;
  if (!ReadFileData(source, from)) return CopyFileSafely(source, target);
  WIN32_FILE_ATTRIBUTE_DATA there;
  const bool targetExists = ReadFileData(target, there);
  if (targetExists && HoldsSameFile(from, there)) {
    ++m_skipped;
    return true;
  }
  if (!targetExists && LinkToPrevious(from, target)) {
    ++m_linked;
    return true;
  }
  if (targetExists && !UnshareTarget(target)) return false;
  if (!CopyFileSafely(source, target)) return false;
  ++m_copied;
  m_bytesWritten += SizeOf(from);
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
