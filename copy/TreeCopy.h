#pragma once
// Counting and copying one source path (a file, or a folder with everything below it)
// into a destination folder, skipping excluded names. The paths handed in are Shift-JIS
// byte strings and may use "/" or "\\" as separators; below them every entry is reached
// by its long wide path, so names in any language and paths of any length are copied as
// they are. A folder that is a link, or one of the folders above it, is not entered.
#include <string>
#include <vector>

#include "copy/TreeCopyJob.h"

// Called after each copied file with the caller's context and the file's bare name, in
// Shift-JIS with "?" for a character the code page cannot hold.
typedef void (*CopyProgressFn)(void* context, const char* fileName);

// The number of files that CopyTree would copy for sourcePath with the same job.
int CountFiles(const std::string& sourcePath, const CTreeCopyJob& job);
int CountFiles(const std::string& sourcePath, const std::vector<std::string>* exclusions);

// Copies sourcePath into destinationFolder. Returns 1 when the source was copied
// completely, was excluded, or the copy stopped because the abort flag was 1; 0 on
// failure, which includes a folder that cannot be listed to its end.
int CopyTree(const std::string& destinationFolder, const std::string& sourcePath, const CTreeCopyJob& job);
int CopyTree(const std::string& destinationFolder, const std::string& sourcePath,
             const std::vector<std::string>* exclusions, const int* abortFlag, CopyProgressFn callback,
             void* context);

// Creates folderPath and any missing ancestors; 1 when an entry of that name exists afterwards.
int MakeFolderPath(const std::string& folderPath);
// The same for a long path.
bool MakeLongFolderPath(const std::wstring& longPath);

// 1 when an entry of exclusions names the file or folder at path (its full path, or its bare
// name alone): by its bare name, a pattern over it, or its path or a folder's above it.
int IsExcludedName(const std::vector<std::string>* exclusions, const std::string& path);
