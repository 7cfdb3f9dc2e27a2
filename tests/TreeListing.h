#pragma once
// A folder tree as text, for comparing a copy with its source byte for byte: one entry
// per file and folder below the folder, by relative path, with each file's contents and
// last-write time.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "TempFolder.h"

namespace testfs {

using Listing = std::map<std::string, std::string>;

// name in the code page, or "utf8:" and its UTF-8 bytes where the code page cannot hold it.
inline std::string Narrow(const std::wstring& wide) {
  BOOL lost = FALSE;
  int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, nullptr, 0, nullptr, &lost);
  const UINT codePage = lost ? CP_UTF8 : CP_ACP;
  length = WideCharToMultiByte(codePage, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide.c_str(), -1, &narrow[0], length, nullptr, nullptr);
  narrow.resize(static_cast<size_t>(length) - 1);
  return lost ? "utf8:" + narrow : narrow;
}

// Entries whose bare name is one of skipped are left out with everything below them.
inline void ListTree(const std::wstring& folder, const std::vector<std::string>& skipped, Listing& listing,
                     const std::string& prefix = std::string()) {
  WIN32_FIND_DATAW item;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &item);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = Narrow(item.cFileName);
    if (name == "." || name == "..") continue;
    bool skip = false;
    for (const std::string& excluded : skipped) skip = skip || lstrcmpiA(excluded.c_str(), name.c_str()) == 0;
    if (skip) continue;
    std::wstring path = folder + L"\\" + item.cFileName;
    if (item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      listing[prefix + name + "\\"] = "<folder>";
      ListTree(path, skipped, listing, prefix + name + "\\");
    } else {
      const FILETIME& written = item.ftLastWriteTime;
      listing[prefix + name] = ReadFile(path) + "|written " + std::to_string(written.dwHighDateTime) + ":" +
                               std::to_string(written.dwLowDateTime);
    }
  } while (FindNextFileW(search, &item));
  FindClose(search);
}

inline Listing ListTree(const std::string& folder, const std::vector<std::string>& skipped = {}) {
  Listing listing;
  ListTree(Wide(folder), skipped, listing);
  return listing;
}

// Sets the last-write time of a file to a fixed moment in May 2006.
inline void SetOldWriteTime(const std::string& path) {
  HANDLE file = CreateFileW(Wide(path).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  const FILETIME written = {0x12345600, 0x01C66CE4};
  SetFileTime(file, nullptr, nullptr, &written);
  CloseHandle(file);
}

// A file's index and link count: every name of one file gives the same pair.
inline std::pair<unsigned long long, DWORD> FileIdentity(const std::string& path) {
  HANDLE file = CreateFileW(Wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  BY_HANDLE_FILE_INFORMATION information{};
  GetFileInformationByHandle(file, &information);
  CloseHandle(file);
  return {(static_cast<unsigned long long>(information.nFileIndexHigh) << 32) | information.nFileIndexLow,
          information.nNumberOfLinks};
}

// The number of files below folder, in subfolders too.
inline int FilesIn(const std::string& folder) {
  int files = 0;
  for (const auto& entry : ListTree(folder)) files += entry.second != "<folder>";
  return files;
}

}  // namespace testfs
