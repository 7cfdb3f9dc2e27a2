#pragma once
// Full wide paths in the "\\?\" form, which the wide file functions take exactly as they
// are: any name the file system holds (trailing dots, device names, letters outside the
// code page) and any length up to the system's limit of 32,767 characters.
#include <string>

// The long form of a path as the program holds it (Shift-JIS, "/" or "\\" separators,
// relative or absolute): normalised, made absolute as the system does (".", "..", the
// current folder of a drive), then "\\?\X:\..." or "\\?\UNC\server\share\...".
std::wstring LongPathOf(const std::string& path);

// The long form of an absolute wide path "X:\..." or "\\server\share\..." (either
// separator); any other path as it is.
std::wstring LongFormOf(const std::wstring& fullPath);

// The long path as a user writes it, without the prefix: "X:\..." or "\\server\share\...".
std::wstring ShownPathOf(const std::wstring& longPath);
