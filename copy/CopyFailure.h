#pragma once
// Where and why a copy failed: the entry that stopped the tree copy, and the source
// path of the run it belonged to.
#include <windows.h>

#include <string>

struct FailedEntry {
  std::string path;  // the source path handed in, a file or folder below it, or a destination folder
  DWORD error = 0;   // the system's error code of the step that failed
};

// Notes path with the last error (or error) in *failed when that is not null; returns
// 0, so that a failing step can end with return NoteFailedEntry(failed, path).
int NoteFailedEntry(FailedEntry* failed, const std::string& path);
int NoteFailedEntry(FailedEntry* failed, const std::string& path, DWORD error);

// One source path of a run that could not be copied.
struct CopyFailure {
  std::string source;       // exactly as stored in the plan
  std::string destination;  // the destination folder it was copied into
  FailedEntry entry;
};

// The reason of a failure: the system's text for its error, after the failed entry's
// path when that is not the source path itself, nor the destination folder where the
// caller names that already.
std::string FailureReason(const CopyFailure& failure, bool destinationNamed = false);
