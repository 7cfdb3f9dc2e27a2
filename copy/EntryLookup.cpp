#include "copy/EntryLookup.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "plan/ShiftJis.h"

std::string FullPath(const std::string& path) {
  std::string full(MAX_PATH, '\0');
  DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, &full[0], nullptr);
  if (length >= MAX_PATH) {
    full.resize(length);
    length = GetFullPathNameA(path.c_str(), length, &full[0], nullptr);
  }
  if (length == 0) return path;
  full.resize(length);
  return full;
}

namespace {

// name in upper case as the system locale folds letters, double-byte ones included.
std::string UpperCase(const char* name) {
  char upper[2 * MAX_PATH];
  int length = LCMapStringA(LOCALE_SYSTEM_DEFAULT, LCMAP_UPPERCASE, name, -1, upper, sizeof upper);
  return length > 0 ? std::string(upper) : std::string(name);
}

}  // namespace

bool IsDotName(const char* name) {
  return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// '/' never occurs as a second byte, but '\\' does, so the end is found by characters.
std::string VolumeRootOf(const std::string& fullPath) {
  if (fullPath.size() >= 2 && fullPath[1] == ':') return fullPath.substr(0, 2) + "\\";
  if (fullPath.compare(0, 2, "\\\\") != 0) return std::string();
  const std::size_t share = sjis::FindChar(fullPath, '\\', 2);
  if (share == std::string::npos) return std::string();
  const std::size_t end = sjis::FindChar(fullPath, '\\', share + 1);
  return fullPath.substr(0, end) + (end == std::string::npos ? "\\" : "");
}

std::string NormalisePath(const std::string& path) {
  std::string result = path;
  std::replace(result.begin(), result.end(), '/', '\\');
  std::size_t end = 0;
  for (std::size_t i = 0; i < result.size(); i += sjis::CharLength(result, i)) {
    if (result[i] != '\\') end = i + sjis::CharLength(result, i);
  }
  result.resize(end);
  return result;
}

bool ResolveSource(const std::string& sourcePath, WIN32_FIND_DATAA& entry, std::string& path) {
  const std::string normalised = NormalisePath(sourcePath);
  if (!LookUpUniqueEntry(normalised, entry)) return false;
  if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsDotName(entry.cFileName)) {
    SetLastError(ERROR_INVALID_NAME);
    return false;
  }
  const std::string full = FullPath(normalised);
  const std::size_t separator = sjis::FindLastChar(full, '\\');
  const std::string folder = separator == std::string::npos ? std::string() : full.substr(0, separator + 1);
  path = folder + entry.cFileName;
  return true;
}

bool IsExactPath(const std::string& path) {
  return path.size() <= kMaxSearchPath && !sjis::ContainsAnyChar(path, "*?<>\"|") && FullPath(path) == path;
}

bool IsPlainName(const std::string& name) {
  static const std::string reserved =
      "\\/:*?<>\"|"
      "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C\x0D\x0E\x0F"
      "\x10\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1A\x1B\x1C\x1D\x1E\x1F";
  return !sjis::ContainsAnyChar(name, reserved);
}

bool HasCaseTwins(const std::string& folder) {
  WIN32_FIND_DATAA item;
  FindHandle listing(folder + "\\*", item);
  if (!listing.IsOpen()) return true;
  std::vector<std::string> names;
  do {
    names.push_back(UpperCase(item.cFileName));
  } while (listing.Next(item));
  std::sort(names.begin(), names.end());
  return std::adjacent_find(names.begin(), names.end()) != names.end();
}
