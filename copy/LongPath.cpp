#include "copy/LongPath.h"

#include <windows.h>

#include <cwchar>

#include "copy/EntryLookup.h"
#include "copy/WideText.h"

namespace {

const wchar_t kLongPrefix[] = L"\\\\?\\";
const wchar_t kLongUncPrefix[] = L"\\\\?\\UNC\\";

bool StartsWith(const std::wstring& text, const wchar_t* prefix) {
  return text.compare(0, std::wcslen(prefix), prefix) == 0;
}

bool IsSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

std::wstring FullWidePath(const std::wstring& path) {
  std::wstring full(MAX_PATH, L'\0');
  DWORD length = ::GetFullPathNameW(path.c_str(), MAX_PATH, &full[0], nullptr);
  if (length >= MAX_PATH) {
    full.resize(length);
    length = ::GetFullPathNameW(path.c_str(), length, &full[0], nullptr);
  }
  if (length == 0) return path;
  full.resize(length);
  return full;
}

}  // namespace

std::wstring LongPathOf(const std::string& path) {
  return LongFormOf(FullWidePath(WideFromAnsi(NormalisePath(path))));
}

std::wstring LongFormOf(const std::wstring& fullPath) {
  if (StartsWith(fullPath, kLongPrefix)) return fullPath;
  if (fullPath.size() >= 3 && fullPath[1] == L':' && IsSeparator(fullPath[2])) return kLongPrefix + fullPath;
  if (fullPath.size() >= 2 && IsSeparator(fullPath[0]) && IsSeparator(fullPath[1])) {
    return kLongUncPrefix + fullPath.substr(2);
  }
  return fullPath;
}

std::wstring ShownPathOf(const std::wstring& longPath) {
  if (StartsWith(longPath, kLongUncPrefix)) return L"\\\\" + longPath.substr(std::wcslen(kLongUncPrefix));
  if (StartsWith(longPath, kLongPrefix)) return longPath.substr(std::wcslen(kLongPrefix));
  return longPath;
}
