#pragma once
// Whether a destination folder key may be joined to the destination root: a plan file
// can hold names that the tree's rename refuses, and "..", which would lead a run out
// of the root.
#include <string>

// What is wrong with a name of a key.
enum class FolderNameFault { kNone, kEmpty, kLeadsOut, kNotCreatable };

struct FolderKeyFault {
  FolderNameFault fault = FolderNameFault::kNone;
  std::string name;  // the first name of the key that is at fault
};

// The first name of key (the names joined by "/") that is not a folder name Windows can
// create, the rule of the tree's rename.
FolderKeyFault FindFolderKeyFault(const std::string& key);

inline bool IsSafeFolderKey(const std::string& key) {
  return FindFolderKeyFault(key).fault == FolderNameFault::kNone;
}
