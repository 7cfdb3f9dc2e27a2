#pragma once
#include <string>

struct SourceEntry {
  std::string name;  // the name as the file system reports it
  bool isFolder;
};

// Looks path up exactly as written: succeeds when it matches one entry and no second
// one. Empty paths and paths of 260 bytes or more fail.
bool LookUpSource(const std::string& path, SourceEntry& entry);
