#pragma once
// Where and why a copy failed. The tree copy notes the entry that stopped it, the way
// the system keeps its last error: per thread, read right after the copy returned 0.
#include <windows.h>

#include <string>

struct FailedEntry {
  std::string path;  // the source path handed in, a file or folder below it, or a destination folder
  DWORD error = 0;   // the system's error code of the step that failed
};

// Notes path with the calling thread's last error as the entry that failed; returns 0,
// so that a failing step can end with return NoteFailedEntry(path).
int NoteFailedEntry(const std::string& path);
int NoteFailedEntry(const std::string& path, DWORD error);

// The entry noted last on the calling thread.
FailedEntry LastFailedEntry();

// One source path of a run that could not be copied.
struct CopyFailure {
  std::string source;       // exactly as stored in the plan
  std::string destination;  // the destination folder it was copied into
  FailedEntry entry;
};

// The reason of a failure: the system's text for its error, after the failed entry's
// path when that is not the source path itself.
std::string FailureReason(const CopyFailure& failure);
