#include "copy/FolderRemoval.h"

#include "copy/EntryLookup.h"
#include "copy/LongPath.h"

namespace {

bool Fail(const std::wstring& path, FailedEntry& failed) {
  failed = FailedEntry{ShownPathOf(path), ::GetLastError()};
  return false;
}

bool RemoveEntry(const std::wstring& path, DWORD attributes, FailedEntry& failed);

bool RemoveContents(const std::wstring& folder, FailedEntry& failed) {
  WIN32_FIND_DATAW item;
  FindHandle listing(folder + L"\\*", item);
  if (!listing.IsOpen()) return Fail(folder, failed);
  do {
    if (IsDotName(item.cFileName)) continue;
    if (!RemoveEntry(folder + L"\\" + item.cFileName, item.dwFileAttributes, failed)) return false;
  } while (listing.Next(item));
  return ::GetLastError() == ERROR_NO_MORE_FILES || Fail(folder, failed);
}

bool RemoveEntry(const std::wstring& path, DWORD attributes, FailedEntry& failed) {
  if (attributes & FILE_ATTRIBUTE_READONLY) ::SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return ::DeleteFileW(path.c_str()) || Fail(path, failed);
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 && !RemoveContents(path, failed)) return false;
  return ::RemoveDirectoryW(path.c_str()) || Fail(path, failed);
}

}  // namespace

bool RemoveFolderTree(const std::wstring& folder, FailedEntry& failed) {
  const DWORD attributes = ::GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Fail(folder, failed);
  return RemoveEntry(folder, attributes, failed);
}
