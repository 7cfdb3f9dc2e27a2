#pragma once
#include <string>

// The process's current folder, ending in a backslash. The buffer is sized to the
// folder, so a folder longer than MAX_PATH is returned whole: the files built on it
// then simply fail to open, which the program treats like missing files.
std::string GetWorkingFolder();
