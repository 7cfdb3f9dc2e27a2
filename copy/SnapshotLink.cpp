#include "copy/SnapshotLink.h"

#include "copy/LongPath.h"

namespace {

// True when path is a file with the size and last-write time that the listing gave file.
bool HoldsSameFile(const std::wstring& path, const ListedFile& file) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
  const unsigned long long size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  const unsigned long long written =
      (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
  return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && size == file.size &&
         written == file.lastWriteTime;
}

}  // namespace

CSnapshotLink::CSnapshotLink(const std::string& topFolder, const std::string& previousTop)
    : m_topFolder(LongPathOf(topFolder)), m_previousTop(previousTop.empty() ? std::wstring() : LongPathOf(previousTop)) {}

// A link is made only where no target exists yet: the platform refuses it over an existing
// one, which is then left alone if it holds the file already. A copy replaces an existing
// target with a new file rather than writing into it, so a target that shares its data with
// an older snapshot can be copied over safely.
bool CSnapshotLink::PlaceWithoutCopy(const std::wstring& target, const ListedFile& file) {
  if (LinkToPrevious(target, file)) {
    ++m_linked;
  } else if (HoldsSameFile(target, file)) {
    ++m_skipped;
  } else {
    return false;
  }
  m_bytesNotWritten += file.size;
  return true;
}

// The previous snapshot's file is at the target's place below its own top folder.
bool CSnapshotLink::LinkToPrevious(const std::wstring& target, const ListedFile& file) const {
  const std::size_t top = m_topFolder.size();
  if (m_previousTop.empty() || target.compare(0, top, m_topFolder) != 0 || target[top] != '\\') return false;
  const std::wstring previous = m_previousTop + target.substr(top);
  return HoldsSameFile(previous, file) && CreateHardLinkW(target.c_str(), previous.c_str(), nullptr);
}
