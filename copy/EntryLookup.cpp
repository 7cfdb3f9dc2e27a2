#include "copy/EntryLookup.h"

#include <algorithm>
#include <cwchar>

#include "copy/LongPath.h"
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

bool IsDotName(const wchar_t* name) {
  return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0;
}

bool IsLinkToFolder(const WIN32_FIND_DATAW& entry) {
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
         IsReparseTagNameSurrogate(entry.dwReserved0);
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

bool ResolveSource(const std::string& sourcePath, WIN32_FIND_DATAW& entry, std::wstring& path) {
  const std::wstring pattern = LongPathOf(sourcePath);
  if (!LookUpUniqueEntry(pattern, entry)) return false;
  if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsDotName(entry.cFileName)) {
    ::SetLastError(ERROR_INVALID_NAME);
    return false;
  }
  path = pattern.substr(0, pattern.rfind(L'\\') + 1) + entry.cFileName;
  return true;
}
