#include "copy/TreeCopy.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "copy/EntryLookup.h"
#include "plan/ShiftJis.h"

namespace {

// The resolved source: the entry found and its absolute path.
struct Source {
  WIN32_FIND_DATAA entry;
  std::string path;
};

// Copy of path with "/" turned into "\\" and the trailing run of "\\" removed.
// '/' never occurs as a second byte, but '\\' does, so the end is found by characters.
std::string Normalise(const std::string& path) {
  std::string result = path;
  std::replace(result.begin(), result.end(), '/', '\\');
  std::size_t end = 0;
  for (std::size_t i = 0; i < result.size(); i += sjis::CharLength(result, i)) {
    if (result[i] != '\\') end = i + sjis::CharLength(result, i);
  }
  result.resize(end);
  return result;
}

bool Exists(const std::string& path) {
  WIN32_FIND_DATAA data;
  return FindHandle(path, data).IsOpen();
}

bool IsDotName(const char* name) {
  return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

bool IsFolder(const WIN32_FIND_DATAA& entry) {
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

unsigned long long FileSize(const WIN32_FIND_DATAA& entry) {
  return (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
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

// Looks up sourcePath; it must match exactly one entry, which must not be "." or "..".
// The path of the source is then the absolute folder of sourcePath with the entry's
// name, so that a wildcard that matched one entry stands for that entry.
bool Resolve(const std::string& sourcePath, Source& source) {
  std::string path = Normalise(sourcePath);
  if (!LookUpUniqueEntry(path, source.entry)) return false;
  if (IsFolder(source.entry) && IsDotName(source.entry.cFileName)) return false;
  std::string full = FullPath(path);
  std::size_t separator = sjis::FindLastChar(full, '\\');
  std::string folder = separator == std::string::npos ? std::string() : full.substr(0, separator + 1);
  source.path = folder + source.entry.cFileName;
  return true;
}

bool IsExcluded(const std::vector<std::string>* exclusions, const char* name) {
  return exclusions != nullptr && IsExcludedName(exclusions, name);
}

}  // namespace

int CountFiles(const std::string& sourcePath, const std::vector<std::string>* exclusions,
               const int* abortFlag, CountProgressFn callback, void* context) {
  Source source;
  if (!Resolve(sourcePath, source)) return 0;
  if (IsExcluded(exclusions, source.entry.cFileName)) return 0;
  if (!IsFolder(source.entry)) {
    if (callback != nullptr) callback(context, FileSize(source.entry));
    return 1;
  }

  WIN32_FIND_DATAA item;
  FindHandle listing(source.path + "\\*", item);
  if (!listing.IsOpen()) return 0;
  int count = 0;
  do {
    if (abortFlag != nullptr && *abortFlag == 1) break;
    if (!IsDotName(item.cFileName)) {
      count += CountFiles(source.path + "\\" + item.cFileName, exclusions, abortFlag, callback, context);
    }
  } while (listing.Next(item));
  return count;
}

int CopyTree(const std::string& destinationFolder, const std::string& sourcePath,
             const std::vector<std::string>* exclusions, const int* abortFlag,
             CopyProgressFn callback, void* context) {
  Source source;
  if (!Resolve(sourcePath, source)) return 0;
  std::string destination = Normalise(destinationFolder);
  // The destination is made even when the source turns out to be excluded.
  if (!MakeFolderPath(destination)) return 0;
  if (IsExcluded(exclusions, source.entry.cFileName)) return 1;

  std::string target = destination + "\\" + source.entry.cFileName;
  if (!IsFolder(source.entry)) {
    if (!CopyFileA(source.path.c_str(), target.c_str(), FALSE)) return 0;
    if (callback != nullptr) callback(context, source.entry.cFileName);
    return 1;
  }

  if (!MakeFolderPath(target)) return 0;
  WIN32_FIND_DATAA item;
  FindHandle listing(source.path + "\\*", item);
  if (!listing.IsOpen()) return 1;
  do {
    if (abortFlag != nullptr && *abortFlag == 1) return 1;
    if (IsDotName(item.cFileName)) continue;
    if (!CopyTree(target, source.path + "\\" + item.cFileName, exclusions, abortFlag, callback,
                  context)) {
      return 0;
    }
  } while (listing.Next(item));
  return 1;
}

int MakeFolderPath(const std::string& folderPath) {
  std::string path = Normalise(folderPath);
  if (Exists(path)) return 1;
  std::size_t separator = sjis::FindLastChar(path, '\\');
  if (separator == std::string::npos) return 0;
  if (!MakeFolderPath(path.substr(0, separator))) return 0;
  return CreateDirectoryA(path.c_str(), nullptr) ? 1 : 0;
}

int IsExcludedName(const std::vector<std::string>* exclusions, const std::string& name) {
  for (const std::string& excluded : *exclusions) {
    if (sjis::EqualsNoCaseAscii(excluded, name)) return 1;
  }
  return 0;
}
