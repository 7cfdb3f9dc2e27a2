#pragma once
// What the benchmarks share: a clock, the generated trees, the platform's floor (list,
// make folders, copy files, nothing else) and removing a tree again.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "copy/LongPath.h"

inline double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / frequency.QuadPart;
}

template <typename Run>
double Seconds(Run run) {
  double start = Now();
  run();
  return Now() - start;
}

// The rounds a figure needs: on a loaded machine single rounds move by 10 to 30 percent,
// so a figure is the median of many rounds in which the ways take turns at going first.
constexpr int kRounds = 11;

// One figure over the rounds: its median, lowest and highest.
class Spread {
 public:
  void Add(double value) { m_values.push_back(value); }
  double Median() const {
    std::vector<double> sorted = m_values;
    std::sort(sorted.begin(), sorted.end());
    return sorted.empty() ? 0 : sorted[sorted.size() / 2];
  }
  // "median (lowest..highest)", each with format.
  std::string Text(const char* format = "%.2f") const {
    const auto range = std::minmax_element(m_values.begin(), m_values.end());
    char text[64] = "";
    if (!m_values.empty()) {
      std::string pattern = std::string(format) + " (" + format + ".." + format + ")";
      std::snprintf(text, sizeof(text), pattern.c_str(), Median(), *range.first, *range.second);
    }
    return text;
  }

 private:
  std::vector<double> m_values;
};

inline void WriteBytes(const std::string& path, const std::vector<char>& chunk, int chunks) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  for (int i = 0; i < chunks; ++i) WriteFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr);
  CloseHandle(file);
}

inline bool IsDotName(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Calls visit(full path, entry) for every entry of folder but "." and "..".
template <typename Visit>
void ForEachEntry(const std::string& folder, Visit visit) {
  WIN32_FIND_DATAA item;
  HANDLE listing = FindFirstFileA((folder + "\\*").c_str(), &item);
  if (listing == INVALID_HANDLE_VALUE) return;
  do {
    if (!IsDotName(item.cFileName)) visit(folder + "\\" + item.cFileName, item);
  } while (FindNextFileA(listing, &item));
  FindClose(listing);
}

// The ANSI floor: list, make folders, copy files through the ANSI functions, nothing else.
// Returns the files copied.
inline int AnsiFloorCopy(const std::string& source, const std::string& target) {
  int copied = 0;
  CreateDirectoryA(target.c_str(), nullptr);
  ForEachEntry(source, [&](const std::string& path, const WIN32_FIND_DATAA& item) {
    std::string to = target + "\\" + item.cFileName;
    if (item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      copied += AnsiFloorCopy(path, to);
    } else {
      copied += CopyFileA(path.c_str(), to.c_str(), FALSE) ? 1 : 0;
    }
  });
  return copied;
}

// The platform's floor, as the tree copy reaches files: the same through the wide
// functions on "\\?\" paths.
inline int WideFloorCopy(const std::wstring& source, const std::wstring& target) {
  int copied = 0;
  CreateDirectoryW(target.c_str(), nullptr);
  WIN32_FIND_DATAW item;
  HANDLE listing = FindFirstFileW((source + L"\\*").c_str(), &item);
  if (listing == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::wstring name = item.cFileName;
    if (name == L"." || name == L"..") continue;
    if (item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      copied += WideFloorCopy(source + L"\\" + name, target + L"\\" + name);
    } else {
      copied += CopyFileW((source + L"\\" + name).c_str(), (target + L"\\" + name).c_str(), FALSE) ? 1 : 0;
    }
  } while (FindNextFileW(listing, &item));
  FindClose(listing);
  return copied;
}

inline int FloorCopy(const std::string& source, const std::string& target) {
  return WideFloorCopy(LongPathOf(source), LongPathOf(target));
}

inline void RemoveTree(const std::string& folder) {
  ForEachEntry(folder, [](const std::string& path, const WIN32_FIND_DATAA& item) {
    if (item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      RemoveTree(path);
    } else {
      DeleteFileA(path.c_str());
    }
  });
  RemoveDirectoryA(folder.c_str());
}

// The benchmark's work folder, made empty: the first argument, or name in the temporary folder.
inline std::string MakeWorkFolder(int argc, char** argv, const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string work = argc > 1 ? argv[1] : std::string(temp) + name;
  RemoveTree(work);
  CreateDirectoryA(work.c_str(), nullptr);
  std::printf("generating in %s\n", work.c_str());
  return work;
}

// The small-file tree: 5,000 files of 2 KB in 50 folders.
constexpr int kSmallTreeFiles = 5000;
inline void MakeSmallTree(const std::string& folder) {
  const std::vector<char> small(2048, 's');
  CreateDirectoryA(folder.c_str(), nullptr);
  for (int child = 0; child < 50; ++child) {
    std::string path = folder + "\\folder" + std::to_string(child);
    CreateDirectoryA(path.c_str(), nullptr);
    for (int file = 0; file < 100; ++file) WriteBytes(path + "\\file" + std::to_string(file) + ".dat", small, 1);
  }
}

inline void CountCopied(void* context, const char*) {
  ++*static_cast<int*>(context);
}
