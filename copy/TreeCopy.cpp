#include "copy/TreeCopy.h"

#include <windows.h>

#include <cstring>

#include "copy/CopyFailure.h"
#include "copy/DestinationRoot.h"
#include "copy/EntryLookup.h"
#include "copy/SafeFileCopy.h"
#include "plan/ExclusionMatch.h"
#include "plan/ShiftJis.h"

// Every entry below a source folder is handled as if its path had been handed in on its
// own: looked up, its destination folder made, then excluded, copied or walked. The lookup
// and the destination check cost more than the copy of a small file, so an entry whose
// lookup could only find what the folder's listing reported is taken from the listing, in
// a destination folder checked once when the walk enters it. When the platform then finds
// the entry or the destination folder missing, or denies access, the entry goes the whole
// way after all, so that races and odd names end as they would there.

namespace {

// The resolved source: the entry found and its absolute path.
struct Source {
  WIN32_FIND_DATAA entry;
  std::string path;
};

// What became of an entry taken from its folder's listing.
enum class Outcome { kDone, kFailed, kTakeTheWholeWay };

bool IsFolder(DWORD attributes) {
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsExcluded(const std::vector<std::string>* exclusions, const std::string& path) {
  return exclusions != nullptr && IsExcludedName(exclusions, path);
}

unsigned long long FileSize(const WIN32_FIND_DATAA& entry) {
  return (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

unsigned long long FileTimeValue(const FILETIME& time) {
  return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// What a count hands on to every entry it counts.
struct CountRequest {
  const std::vector<std::string>* exclusions;
  const int* abortFlag;
  CountProgressFn callback;
  void* context;
  const TreeCopyExtras* extras;

  int CountWholeWay(const std::string& path) const {
    return CountFiles(path, exclusions, abortFlag, callback, context, extras);
  }
  int CountFile(const WIN32_FIND_DATAA& entry) const {
    if (callback != nullptr) callback(context, FileSize(entry));
    return 1;
  }
};

// A listed name made only of the byte of "\\" (Wine lists a file named "¥" so in code
// page 932) would name the listed folder itself, and a walk into it would never end. Such
// an entry cannot be looked up, like an entry whose path is too long.
bool CanLookUp(const char* name) {
  return std::strspn(name, "\\") != std::strlen(name);
}

// True when the walk must leave path out: it is the run's destination root or lies below it.
bool IsRoot(const TreeCopyExtras* extras, const std::string& path) {
  return extras != nullptr && extras->root != nullptr && extras->root->Holds(path);
}

// Errors after which the whole way may still succeed or must decide the result itself.
bool IsNotThereOrDenied(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_ACCESS_DENIED;
}

// True when the entry that folder's listing reported as name at path may stand for its
// own lookup. An excluded entry goes the whole way, where its lookup decides the result.
bool MayTakeFromListing(const std::string& path, const char* name, const std::vector<std::string>* exclusions) {
  return !IsExcluded(exclusions, path) && IsPlainName(name) && IsExactPath(path);
}

int CountEntries(const std::string& folder, const CountRequest& request);

// Counts a listed entry by its current attributes; one that is gone goes the whole way.
int CountListedEntry(const std::string& path, const WIN32_FIND_DATAA& item, const CountRequest& request) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return request.CountWholeWay(path);
  return IsFolder(attributes) ? CountEntries(path, request) : request.CountFile(item);
}

// The files below folder; 0 when it cannot be listed. When the abort flag is 1 before an
// entry, the count stops there with the files counted so far.
int CountEntries(const std::string& folder, const CountRequest& request) {
  if (IsRoot(request.extras, folder)) return 0;
  WIN32_FIND_DATAA item;
  FindHandle listing(folder + "\\*", item);
  if (!listing.IsOpen()) return 0;
  const bool mayTakeListed = !HasCaseTwins(folder);
  int count = 0;
  do {
    if (request.abortFlag != nullptr && *request.abortFlag == 1) break;
    if (IsDotName(item.cFileName) || !CanLookUp(item.cFileName)) continue;
    const std::string path = folder + "\\" + item.cFileName;
    count += mayTakeListed && MayTakeFromListing(path, item.cFileName, request.exclusions)
                 ? CountListedEntry(path, item, request)
                 : request.CountWholeWay(path);
  } while (listing.Next(item));
  return count;
}

// What a copy hands on to every entry it copies.
struct CopyRequest {
  const std::vector<std::string>* exclusions;
  const int* abortFlag;
  CopyProgressFn callback;
  void* context;
  const TreeCopyExtras* extras;

  bool Aborted() const { return abortFlag != nullptr && *abortFlag == 1; }
  // Notes path as the entry that failed, with the last error or error; returns 0.
  int Fail(const std::string& path) const { return Fail(path, GetLastError()); }
  int Fail(const std::string& path, DWORD error) const {
    return NoteFailedEntry(extras != nullptr ? extras->failed : nullptr, path, error);
  }
  int CopyWholeWay(const std::string& destination, const std::string& path) const {
    return CopyTree(destination, path, exclusions, abortFlag, callback, context, extras);
  }
};

// Copies one file to target and then reports its name; false when the copy fails.
bool CopyOneFile(const std::string& path, const std::string& target, const WIN32_FIND_DATAA& entry,
                 const CopyRequest& request) {
  const FileCopyFn copyFile = request.extras != nullptr ? request.extras->copyFile : nullptr;
  const ListedFile file{entry.cFileName, FileSize(entry), FileTimeValue(entry.ftLastWriteTime)};
  const bool copied = copyFile != nullptr ? copyFile(request.context, path, target, file) : CopyFileSafely(path, target);
  if (!copied) return false;
  if (request.callback != nullptr) request.callback(request.context, entry.cFileName);
  return true;
}

int CopyFolder(const std::string& target, const std::string& folder, const CopyRequest& request);

// Copies the entry that the listing reported as item at path into destination, an
// existing folder. A folder must still be one; a file copy that finds the source or the
// destination folder gone, or is denied, leaves the entry to the whole way.
Outcome CopyListedEntry(const std::string& destination, const std::string& path, const WIN32_FIND_DATAA& item,
                        const CopyRequest& request) {
  const std::string target = destination + "\\" + item.cFileName;
  if (IsFolder(item.dwFileAttributes)) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !IsFolder(attributes)) return Outcome::kTakeTheWholeWay;
    return CopyFolder(target, path, request) ? Outcome::kDone : Outcome::kFailed;
  }
  if (CopyOneFile(path, target, item, request)) return Outcome::kDone;
  if (IsNotThereOrDenied(GetLastError())) return Outcome::kTakeTheWholeWay;
  request.Fail(path);
  return Outcome::kFailed;
}

// Makes target, then copies every entry of folder into it, reading the abort flag before
// each. Stops at the first entry that fails, or where the listing fails. The destination
// root is left out, so that a backup is never copied into itself.
int CopyFolder(const std::string& target, const std::string& folder, const CopyRequest& request) {
  if (IsRoot(request.extras, folder)) return 1;
  if (!MakeFolderPath(target)) return request.Fail(target);
  WIN32_FIND_DATAA item;
  FindHandle listing(folder + "\\*", item);
  if (!listing.IsOpen()) return request.Fail(folder);
  // An entry's own call would make this folder again under its normalised path.
  const std::string destination = NormalisePath(target);
  const bool mayTakeListed = IsExactPath(destination) && !HasCaseTwins(folder);
  do {
    if (request.Aborted()) return 1;
    if (IsDotName(item.cFileName)) continue;
    const std::string path = folder + "\\" + item.cFileName;
    if (!CanLookUp(item.cFileName)) return request.Fail(path, ERROR_INVALID_NAME);
    Outcome outcome = mayTakeListed && MayTakeFromListing(path, item.cFileName, request.exclusions)
                          ? CopyListedEntry(destination, path, item, request)
                          : Outcome::kTakeTheWholeWay;
    if (outcome == Outcome::kTakeTheWholeWay) {
      outcome = request.CopyWholeWay(target, path) ? Outcome::kDone : Outcome::kFailed;
    }
    if (outcome == Outcome::kFailed) return 0;
  } while (listing.Next(item));
  return GetLastError() == ERROR_NO_MORE_FILES ? 1 : request.Fail(folder);
}

bool Resolve(const std::string& sourcePath, Source& source) {
  return ResolveSource(sourcePath, source.entry, source.path);
}

}  // namespace

int CountFiles(const std::string& sourcePath, const std::vector<std::string>* exclusions,
               const int* abortFlag, CountProgressFn callback, void* context, const TreeCopyExtras* extras) {
  Source source;
  if (!Resolve(sourcePath, source)) return 0;
  const int excludedBy = exclusions != nullptr ? FindExclusion(*exclusions, source.path) : -1;
  if (excludedBy >= 0) {
    if (extras != nullptr && extras->exclusionCounts != nullptr) ++extras->exclusionCounts[excludedBy];
    return 0;
  }
  if (IsRoot(extras, source.path)) return 0;
  const CountRequest request{exclusions, abortFlag, callback, context, extras};
  if (!IsFolder(source.entry.dwFileAttributes)) return request.CountFile(source.entry);
  return CountEntries(source.path, request);
}

int CopyTree(const std::string& destinationFolder, const std::string& sourcePath,
             const std::vector<std::string>* exclusions, const int* abortFlag,
             CopyProgressFn callback, void* context, const TreeCopyExtras* extras) {
  const CopyRequest request{exclusions, abortFlag, callback, context, extras};
  Source source;
  if (!Resolve(sourcePath, source)) return request.Fail(sourcePath);
  if (IsRoot(extras, source.path)) return 1;
  const std::string destination = NormalisePath(destinationFolder);
  // The destination is made even when the source turns out to be excluded.
  if (!MakeFolderPath(destination)) return request.Fail(destination);
  if (IsExcluded(exclusions, source.path)) return 1;

  const std::string target = destination + "\\" + source.entry.cFileName;
  if (IsFolder(source.entry.dwFileAttributes)) return CopyFolder(target, source.path, request);
  if (CopyOneFile(source.path, target, source.entry, request)) return 1;
  return request.Fail(sourcePath);
}

int MakeFolderPath(const std::string& folderPath) {
  const std::string path = NormalisePath(folderPath);
  WIN32_FIND_DATAA entry;
  if (FindHandle(path, entry).IsOpen()) return 1;
  const std::size_t separator = sjis::FindLastChar(path, '\\');
  if (separator == std::string::npos) return 0;
  if (!MakeFolderPath(path.substr(0, separator))) return 0;
  return CreateDirectoryA(path.c_str(), nullptr) ? 1 : 0;
}

int IsExcludedName(const std::vector<std::string>* exclusions, const std::string& path) {
  return FindExclusion(*exclusions, path) >= 0 ? 1 : 0;
}
