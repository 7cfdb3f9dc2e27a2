#include "copy/EntryLookup.h"

#include <algorithm>
#include <cstring>

#include "plan/ShiftJis.h"

namespace {

bool IsDotName(const char* name) {
  return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

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

}  // namespace

// '/' never occurs as a second byte, but '\\' does, so the end is found by characters.
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
  if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsDotName(entry.cFileName)) return false;
  const std::string full = FullPath(normalised);
  const std::size_t separator = sjis::FindLastChar(full, '\\');
  const std::string folder = separator == std::string::npos ? std::string() : full.substr(0, separator + 1);
  path = folder + entry.cFileName;
  return true;
}
