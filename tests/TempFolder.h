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

inline void MakeFolder(const std::wstring& longPath) { CreateDirectoryW(longPath.c_str(), nullptr); }
inline void MakeFolder(const std::string& path) { MakeFolder(Wide(path)); }

inline void WriteFile(const std::wstring& longPath, const std::string& text) {
  HANDLE file = CreateFileW(longPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}
inline void WriteFile(const std::string& path, const std::string& text) { WriteFile(Wide(path), text); }

inline std::string ReadFile(const std::wstring& longPath) {
  const DWORD sharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;  // never in the program's way
  HANDLE file = CreateFileW(longPath.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
  CloseHandle(file);
  return text;
}

inline std::string ReadFile(const std::string& path) { return ReadFile(Wide(path)); }

inline void RemoveTree(const std::wstring& longPath) {
  WIN32_FIND_DATAW item;
  HANDLE listing = FindFirstFileW((longPath + L"\\*").c_str(), &item);
  if (listing != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = item.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = longPath + L"\\" + name;
      SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (item.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {  // a link: only the link goes
        if (!RemoveDirectoryW(child.c_str())) DeleteFileW(child.c_str());
      } else if (item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(listing, &item));
    FindClose(listing);
  }
  RemoveDirectoryW(longPath.c_str());
}

inline void RemoveTree(const std::string& path) { RemoveTree(Wide(path)); }

// The Unix path under Wine of a Windows path; empty elsewhere.
inline std::string UnixPath(const std::string& path) {
  typedef char*(CDECL * UnixName)(const wchar_t*);
  const auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
  const char* unix = unixName != nullptr ? unixName(Wide(path).c_str() + 4) : nullptr;
  if (unix == nullptr) return std::string();
  std::string result = unix;
  HeapFree(GetProcessHeap(), 0, const_cast<char*>(unix));
  return result;
}

// Runs a Linux command through Wine and waits for it; false where that cannot be done.
inline bool RunUnixCommand(std::string command) {
  command = "start.exe /wait /unix " + command;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, 20000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

// A Unix symbolic link at link to target (taken as it is, relative to link's folder), as a
// user's home folder holds them; Wine lists it as an entry of its own. False elsewhere.
inline bool MakeUnixLink(const std::string& target, const std::string& link) {
  const std::string unixLink = UnixPath(link);
  return !unixLink.empty() && RunUnixCommand("/bin/ln -s \"" + target + "\" \"" + unixLink + "\"");
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
  // Links that Wine cannot remove (or does not list) go through Linux.
  ~TempFolder() {
    RemoveTree(path_);
    if (Exists(path_) && !UnixPath(path_).empty()) RunUnixCommand("/bin/rm -rf \"" + UnixPath(path_) + "\"");
  }
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
