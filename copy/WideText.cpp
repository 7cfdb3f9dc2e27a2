#include "copy/WideText.h"

#include <windows.h>

namespace {

// Best-fit mapping would turn "é" into "e" and so name another file; "?" cannot be a name.
std::string Narrow(const std::wstring& text, UINT codePage, DWORD flags) {
  if (text.empty()) return std::string();
  const int size = static_cast<int>(text.size());
  const int length = ::WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(codePage, flags, text.data(), size, &narrow[0], length, nullptr, nullptr);
  return narrow;
}

}  // namespace

std::wstring WideFromAnsi(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int length = ::MultiByteToWideChar(kProgramCodePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(kProgramCodePage, 0, text.data(), size, &wide[0], length);
  return wide;
}

std::string AnsiForDisplay(const std::wstring& text) {
  return Narrow(text, kProgramCodePage, WC_NO_BEST_FIT_CHARS);
}

std::string Utf8FromWide(const std::wstring& text) {
  return Narrow(text, CP_UTF8, 0);
}
