#pragma once
#include <string>

// Today's local date in the form "%Y-%m-%d", the name of a date-named top folder.
std::string MakeDateFolderName();
