#include "platform/WorkingFolder.h"

#include <windows.h>

#include "plan/ShiftJis.h"

namespace {

// The wide form has no MAX_PATH limit; the ANSI one gives up beyond it.
std::wstring CurrentFolderWide() {
  std::wstring folder;
  for (DWORD size = MAX_PATH;;) {
    folder.assign(size, L'\0');
    DWORD length = ::GetCurrentDirectoryW(size, &folder[0]);
    if (length < size) {
      folder.resize(length);
      return folder;
    }
    size = length;  // too small: length is the size needed, terminator included
  }
}

std::string ToAnsi(const std::wstring& text) {
  if (text.empty()) return std::string();
  int size = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &ansi[0], size, nullptr, nullptr);
  return ansi;
}

}  // namespace

std::string GetWorkingFolder() {
  std::string folder = ToAnsi(CurrentFolderWide());
  sjis::AppendTrailingBackslash(folder);
  return folder;
}
