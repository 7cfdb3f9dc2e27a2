#pragma once
// Finding entries by path: directory searches on long paths, closed on every way out, and
// the resolution of a source path as the plan holds it.
#include <windows.h>

#include <string>

// Owns one directory search and closes it when it goes out of scope.
class FindHandle {
 public:
  FindHandle(const std::wstring& pattern, WIN32_FIND_DATAW& data)
      : handle_(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH)) {}
  ~FindHandle() {
    if (IsOpen()) ::FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;

  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Next(WIN32_FIND_DATAW& data) { return ::FindNextFileW(handle_, &data) != 0; }

 private:
  HANDLE handle_;
};

// Looks path up exactly as written: true when the search finds an entry and no second
// one (a wildcard is accepted only when it matches exactly one entry). A second entry
// fails with ERROR_INVALID_NAME.
inline bool LookUpUniqueEntry(const std::wstring& path, WIN32_FIND_DATAW& entry) {
  FindHandle lookup(path, entry);
  WIN32_FIND_DATAW second;
  if (!lookup.IsOpen()) return false;
  if (!lookup.Next(second)) return true;
  ::SetLastError(ERROR_INVALID_NAME);
  return false;
}

// The same for a path as the plan holds it (a source path that the window shows), through
// the ANSI search.
inline bool LookUpUniqueEntry(const std::string& path, WIN32_FIND_DATAA& entry) {
  HANDLE lookup = ::FindFirstFileA(path.c_str(), &entry);
  if (lookup == INVALID_HANDLE_VALUE) return false;
  WIN32_FIND_DATAA second;
  const bool unique = !::FindNextFileA(lookup, &second);
  ::FindClose(lookup);
  if (!unique) ::SetLastError(ERROR_INVALID_NAME);
  return unique;
}

// True for the names "." and ".." that a folder listing reports besides its entries.
bool IsDotName(const wchar_t* name);

// True for a junction, a folder symbolic link or a mount point: a name for a folder
// elsewhere, not entered by a walk. Other reparse points (cloud placeholders, deduplicated
// files) hold their own data, and Wine shows a Unix link to a folder with the attribute
// but without a tag: those are ordinary entries.
bool IsLinkToFolder(const WIN32_FIND_DATAW& entry);

// The absolute path of path as GetFullPathNameA gives it; path itself when that fails.
std::string FullPath(const std::string& path);

// "X:\\" or "\\\\server\\share\\", the drive or share that an absolute path lies on; empty
// for any other path.
std::string VolumeRootOf(const std::string& fullPath);

// Copy of path with "/" turned into "\\" and the trailing run of "\\" removed.
std::string NormalisePath(const std::string& path);

// Looks up the source path as the plan holds it; it must match exactly one entry, which
// must not be "." or "..". path is then the entry's long path (its absolute folder with
// the entry's name, so that a wildcard that matched one entry stands for that entry).
// False with the last error set.
bool ResolveSource(const std::string& sourcePath, WIN32_FIND_DATAW& entry, std::wstring& path);
