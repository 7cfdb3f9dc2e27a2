#pragma once
// Whether a destination folder key may be joined to the destination root: a plan file
// can hold names that the tree's rename refuses, and "..", which would lead a run out
// of the root.
#include <string>

// Empty when every name of key (the names joined by "/") is a folder name that Windows can
// create, the rule of the tree's rename; else why one is not.
std::string FolderKeyFault(const std::string& key);
