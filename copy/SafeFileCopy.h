#pragma once
// The copy of one file, replacing an existing target.
#include <windows.h>

#include <string>

// Copies source to target with CopyFileExA, without a progress routine. cancel, when not
// null, is the platform's cancel flag. True on success; GetLastError() tells why not.
bool CopyFileSafely(const std::string& source, const std::string& target, BOOL* cancel = nullptr);
