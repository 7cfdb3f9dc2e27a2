#pragma once
// A fresh folder under the temporary folder, removed with its contents when the object
// goes away, and a few file helpers. They take Shift-JIS paths and work through the wide
// API with the "\\?\" prefix, so they also reach paths longer than MAX_PATH.
#include <windows.h>

#include <string>

namespace testfs {

inline std::wstring Wide(const std::string& path) {
  int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], length);
  wide.resize(length - 1);
  return L"\\\\?\\" + wide;
}

inline bool Exists(const std::string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

inline void MakeFolder(const std::string& path) { CreateDirectoryW(Wide(path).c_str(), nullptr); }

inline void WriteFile(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

inline std::string ReadFile(const std::string& path) {
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
  CloseHandle(file);
  return text;
}

inline void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAW item;
  HANDLE listing = FindFirstFileW((Wide(path) + L"\\*").c_str(), &item);
  if (listing != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = item.cFileName;
      if (name == L"." || name == L"..") continue;
      char narrow[MAX_PATH * 2];
      WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
      std::string child = path + "\\" + narrow;
      SetFileAttributesW(Wide(child).c_str(), FILE_ATTRIBUTE_NORMAL);
      if (item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileW(Wide(child).c_str());
      }
    } while (FindNextFileW(listing, &item));
    FindClose(listing);
  }
  RemoveDirectoryW(Wide(path).c_str());
}

class TempFolder {
 public:
  TempFolder() {
    static int counter = 0;
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    // A name that a crashed earlier run left behind is passed over.
    do {
      path_ = std::string(base) + "sheafkeeper-test-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++counter);
    } while (!CreateDirectoryW(Wide(path_).c_str(), nullptr));
  }
  ~TempFolder() { RemoveTree(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's own path joined with a relative path.
  std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }
  const std::string& Path() const { return path_; }
  // The folder's path ending in a backslash, as the program writes folder paths.
  std::string Folder() const { return path_ + "\\"; }

 private:
  std::string path_;
};

}  // namespace testfs
