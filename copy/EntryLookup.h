#pragma once
// Finding entries by path: directory searches closed on every way out, the resolution of a
// source path, and the tests that tell when an entry reported by a folder listing is what a
// search by its path would find, so that the search can be spared.
#include <windows.h>

#include <string>

// Longest path the ANSI directory search accepts (MAX_PATH less the terminator).
constexpr std::size_t kMaxSearchPath = MAX_PATH - 1;

// Owns one directory search and closes it when it goes out of scope. A pattern longer
// than kMaxSearchPath is not searched at all, and fails with ERROR_FILENAME_EXCED_RANGE.
class FindHandle {
 public:
  FindHandle(const std::string& pattern, WIN32_FIND_DATAA& data) : handle_(Open(pattern, data)) {}
  ~FindHandle() {
    if (IsOpen()) FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;

  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Next(WIN32_FIND_DATAA& data) { return FindNextFileA(handle_, &data) != 0; }

 private:
  static HANDLE Open(const std::string& pattern, WIN32_FIND_DATAA& data) {
    if (pattern.size() <= kMaxSearchPath) return FindFirstFileA(pattern.c_str(), &data);
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return INVALID_HANDLE_VALUE;
  }

  HANDLE handle_;
};

// Looks path up exactly as written: true when the search finds an entry and no second
// one (a wildcard is accepted only when it matches exactly one entry). A second entry
// fails with ERROR_INVALID_NAME.
inline bool LookUpUniqueEntry(const std::string& path, WIN32_FIND_DATAA& entry) {
  FindHandle lookup(path, entry);
  WIN32_FIND_DATAA second;
  if (!lookup.IsOpen()) return false;
  if (!lookup.Next(second)) return true;
  SetLastError(ERROR_INVALID_NAME);
  return false;
}

// True for the names "." and ".." that a folder listing reports besides its entries.
bool IsDotName(const char* name);

// The absolute path of path as GetFullPathNameA gives it; path itself when that fails.
std::string FullPath(const std::string& path);

// "X:\\" or "\\\\server\\share\\", the drive or share that an absolute path lies on; empty
// for any other path.
std::string VolumeRootOf(const std::string& fullPath);

// Copy of path with "/" turned into "\\" and the trailing run of "\\" removed.
std::string NormalisePath(const std::string& path);

// Looks up the normalised sourcePath; it must match exactly one entry, which must not be
// "." or "..". path is then the absolute folder of sourcePath with the entry's name, so
// that a wildcard that matched one entry stands for that entry. False with the last error set.
bool ResolveSource(const std::string& sourcePath, WIN32_FIND_DATAA& entry, std::string& path);

// True when the platform takes path as written: within kMaxSearchPath, without wildcards
// or "|", and given back unchanged by GetFullPathNameA, which drops trailing dots and
// spaces, folds separators, "." and "..", and turns device names (CON, NUL.txt, COM1)
// into device paths.
bool IsExactPath(const std::string& path);

// True when name holds no separator, wildcard, reserved or control character.
bool IsPlainName(const std::string& name);

// True when two entries of folder have names that differ only in letter case (or that the
// code page turned into one name), since a search for one of them may find the other; also
// true when folder cannot be listed.
bool HasCaseTwins(const std::string& folder);
