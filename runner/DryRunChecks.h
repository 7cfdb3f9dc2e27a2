#pragma once
// What a dry run checks before anything would be copied: the things the real run would
// certainly fail on, and the notes a user should read before it.
#include <cstdio>
#include <string>

#include "plan/FolderMap.h"

// True when some folder holds a source path that is not empty.
bool HasSourcePath(const CFolderMap& folders);

// Writes one line to out for each finding: a destination root on a drive or share that
// does not exist, a folder holding a source path whose key would lead out of the root,
// and (a note only) the root lying inside a source path. False when the run would fail.
bool CheckPlanBeforeRun(const CFolderMap& folders, const std::string& desRoot, std::FILE* out);
