#pragma once
// Counting and copying one source path (a file, or a folder with everything below it)
// into a destination folder, skipping excluded names. Paths are Shift-JIS byte strings
// and may use "/" or "\\" as separators.
#include <string>
#include <vector>

class CDestinationRoot;
struct FailedEntry;

// Called after each copied file with the caller's context and the file's bare name.
typedef void (*CopyProgressFn)(void* context, const char* fileName);

// What the folder listing told of a file about to be copied.
struct ListedFile {
  const char* name;                  // the bare name
  unsigned long long size;
  unsigned long long lastWriteTime;  // the 64 bits of its FILETIME
};

// Copies the file source, which the listing described as file, to target in place of
// CopyFileSafely; true on success, with GetLastError() telling why not. Called with the
// caller's context.
typedef bool (*FileCopyFn)(void* context, const std::string& source, const std::string& target,
                           const ListedFile& file);

// Called for each file that CountFiles counts, with the caller's context and the file's size.
typedef void (*CountProgressFn)(void* context, unsigned long long fileSize);

// What a copy run adds to a tree copy; each member may be null.
struct TreeCopyExtras {
  // Left out wherever the walk meets it, so that a backup is never copied into itself; a
  // source that it holds counts and copies nothing.
  const CDestinationRoot* root = nullptr;
  // The count only: one counter per exclusion; each file or folder left out adds one to
  // the counter of the first exclusion that names it.
  long* exclusionCounts = nullptr;
  // The copy only: on failure, the entry that failed and the error of the step.
  FailedEntry* failed = nullptr;
  // The copy only: copies each file, with the callback's context, instead of CopyFileSafely.
  FileCopyFn copyFile = nullptr;
};

// The number of files that CopyTree would copy for sourcePath; exclusions may be null.
// When *abortFlag is 1 before an entry of a folder listing, the count stops there and
// gives the files counted so far. abortFlag, callback and extras may be null.
int CountFiles(const std::string& sourcePath, const std::vector<std::string>* exclusions,
               const int* abortFlag = nullptr, CountProgressFn callback = nullptr, void* context = nullptr,
               const TreeCopyExtras* extras = nullptr);

// Copies sourcePath into destinationFolder. Returns 1 when the source was copied
// completely, was excluded, or the copy stopped because *abortFlag was 1; 0 on failure,
// which includes a folder that cannot be listed to its end.
int CopyTree(const std::string& destinationFolder, const std::string& sourcePath,
             const std::vector<std::string>* exclusions, const int* abortFlag,
             CopyProgressFn callback, void* context, const TreeCopyExtras* extras = nullptr);

// Creates folderPath and any missing ancestors; 1 when an entry of that name exists afterwards.
int MakeFolderPath(const std::string& folderPath);

// 1 when an entry of exclusions names the file or folder at path (its full path, or its bare
// name alone): by its bare name, a pattern over it, or its path or a folder's above it.
int IsExcludedName(const std::vector<std::string>* exclusions, const std::string& path);
