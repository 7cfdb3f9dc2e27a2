#pragma once
// The file operations of a safe plan save on Windows.
#include "plan/PlanWriter.h"

// Exclusive creation with CreateFileA, and MoveFileExA replacing the target (write-through),
// which never replaces a folder.
extern const SaveFileOps kWindowsSaveFileOps;
