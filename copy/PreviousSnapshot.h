#pragma once
// Finding the snapshot that a dated top folder follows: the newest folder beside it whose
// name is an earlier date of the same form.
#include <string>

// What the search found for a top folder path.
struct PreviousSnapshot {
  bool topIsDate = false;  // the top folder's own name is a date folder name
  std::string folder;      // the previous snapshot's path; empty when there is none
};

// topFolder is an absolute path with "\\" separators and no trailing separator.
PreviousSnapshot FindPreviousSnapshot(const std::string& topFolder);
