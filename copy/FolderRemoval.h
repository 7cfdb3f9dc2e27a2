#pragma once
// Removing a folder with everything below it through long paths, so that any name below
// can be removed; a read-only file or folder is made writable first. A link to a folder
// elsewhere (a junction, a symbolic link) is removed itself, never what it leads to, and
// a file with other hard links loses only this name: the data stays with the others.
#include <string>

#include "copy/CopyFailure.h"

// Removes folder (a long path). False at the first entry that cannot be removed, which
// failed then names with its error; the entries removed before it stay removed.
bool RemoveFolderTree(const std::wstring& folder, FailedEntry& failed);
