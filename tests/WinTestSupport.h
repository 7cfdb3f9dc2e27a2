#pragma once
// Small helpers for tests that work on the real file system under Wine.
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

// A fresh folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, base);
    for (unsigned n = ::GetTickCount() % 100000;; ++n) {
      m_path = std::string(base) + "sheaf" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(n);
      if (::CreateDirectoryA(m_path.c_str(), nullptr)) break;
    }
    m_path += "\\";
  }
  ~TempFolder() { RemoveTree(m_path.substr(0, m_path.size() - 1)); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path, ending in a backslash.
  const std::string& Path() const { return m_path; }

  static void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        std::string child = path + "\\" + name;
        ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(child);
        } else {
          ::DeleteFileA(child.c_str());
        }
      } while (::FindNextFileA(search, &found));
      ::FindClose(search);
    }
    ::RemoveDirectoryA(path.c_str());
  }

 private:
  std::string m_path;
};

// Makes folder the process's current folder for the guard's lifetime.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& folder) {
    char previous[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    m_previous = previous;
    ::SetCurrentDirectoryA(folder.c_str());
  }
  ~CurrentFolder() { ::SetCurrentDirectoryA(m_previous.c_str()); }
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  std::string m_previous;
};

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

inline bool FileExists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
