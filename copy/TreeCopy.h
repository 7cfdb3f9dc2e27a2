#pragma once
// Counting and copying one source path (a file, or a folder with everything below it)
// into a destination folder, skipping excluded names. Paths are Shift-JIS byte strings
// and may use "/" or "\\" as separators.
#include <string>
#include <vector>

// Called after each copied file with the caller's context and the file's bare name.
typedef void (*CopyProgressFn)(void* context, const char* fileName);

// Called for each file that CountFiles counts, with the caller's context and the file's size.
typedef void (*CountProgressFn)(void* context, unsigned long long fileSize);

// The number of files that CopyTree would copy for sourcePath; exclusions may be null.
// When *abortFlag is 1 before an entry of a folder listing, the count stops there and
// gives the files counted so far. abortFlag and callback may be null.
int CountFiles(const std::string& sourcePath, const std::vector<std::string>* exclusions,
               const int* abortFlag = nullptr, CountProgressFn callback = nullptr, void* context = nullptr);

class IFileCopyStep;

// Copies sourcePath into destinationFolder. Returns 1 when the source was copied
// completely, was excluded, or the copy stopped because *abortFlag was 1; 0 on failure.
// Each file is put in place by step (not owned) when one is given.
int CopyTree(const std::string& destinationFolder, const std::string& sourcePath,
             const std::vector<std::string>* exclusions, const int* abortFlag,
             CopyProgressFn callback, void* context, IFileCopyStep* step = nullptr);

// Creates folderPath and any missing ancestors; 1 when an entry of that name exists afterwards.
int MakeFolderPath(const std::string& folderPath);

// 1 when name equals an entry of exclusions, folding only the ASCII letters.
int IsExcludedName(const std::vector<std::string>* exclusions, const std::string& name);
