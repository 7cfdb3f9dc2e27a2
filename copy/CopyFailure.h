#pragma once
// Where and why a copy failed: the entry that stopped the tree copy, and the source
// path of the run it belonged to.
#include <windows.h>

#include <string>

struct FailedEntry {
  std::wstring path;  // the source path handed in, a file or folder below it, or a destination folder
  DWORD error = 0;    // the system's error code of the step that failed
};

// One source path of a run that could not be copied.
struct CopyFailure {
  std::string source;       // exactly as stored in the plan
  std::string destination;  // the destination folder it was copied into
  FailedEntry entry;
};

// The reason of a failure: the system's text for its error, after the failed entry's
// path when that is not the source path itself, nor the destination folder where the
// caller names that already.
std::wstring FailureReason(const CopyFailure& failure, bool destinationNamed = false);
