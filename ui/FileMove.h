#pragma once
#include <string>

// Moves the file from over the file to, replacing it, and returns only when the move
// has reached the disk (MoveFileExA with MOVEFILE_WRITE_THROUGH). False when it failed.
bool MoveFileReplacing(const std::string& from, const std::string& to);
