#pragma once
// Whether a destination folder key may be joined to the destination root: a plan file
// can hold names that the tree's rename refuses, and "..", which would lead a run out
// of the root.
#include <string>

// Empty when every name of key (the names joined by "/") is a safe folder name; else why
// one is not: an empty name, "." or "..", a name holding \ / : * ? " < > | or a control
// character, or a name ending in a dot or a space.
std::string FolderKeyFault(const std::string& key);
