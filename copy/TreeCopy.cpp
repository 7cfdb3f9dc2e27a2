#include "copy/TreeCopy.h"

#include <windows.h>

#include <cstring>

#include "copy/EntryLookup.h"
#include "plan/ShiftJis.h"

namespace {

// The resolved source: the entry found and its absolute path.
struct Source {
  WIN32_FIND_DATAA entry;
  std::string path;
};

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

bool Resolve(const std::string& sourcePath, Source& source) {
  return ResolveSource(sourcePath, source.entry, source.path);
}

bool IsExcluded(const std::vector<std::string>* exclusions, const char* name) {
  return exclusions != nullptr && IsExcludedName(exclusions, name);
}

}  // namespace

int CountFiles(const std::string& sourcePath, const std::vector<std::string>* exclusions) {
  Source source;
  if (!Resolve(sourcePath, source)) return 0;
  if (IsExcluded(exclusions, source.entry.cFileName)) return 0;
  if (!IsFolder(source.entry)) return 1;

  WIN32_FIND_DATAA item;
  FindHandle listing(source.path + "\\*", item);
  if (!listing.IsOpen()) return 0;
  int count = 0;
  do {
    if (!IsDotName(item.cFileName)) count += CountFiles(source.path + "\\" + item.cFileName, exclusions);
  } while (listing.Next(item));
  return count;
}

int CopyTree(const std::string& destinationFolder, const std::string& sourcePath,
             const std::vector<std::string>* exclusions, const int* abortFlag,
             CopyProgressFn callback, void* context) {
  Source source;
  if (!Resolve(sourcePath, source)) return 0;
  std::string destination = NormalisePath(destinationFolder);
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
  std::string path = NormalisePath(folderPath);
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
