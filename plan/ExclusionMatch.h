#pragma once
// Which entry of an exclusion list keeps a file or folder out of a copy. An entry is read
// as one of three kinds, by its one-unit characters (Shift-JIS double-byte characters and
// UTF-16 surrogate pairs are characters of two units that match only themselves):
// - a bare name (no "*", "?", "\\" or "/"): equals the entry's bare name;
// - a pattern (holds "*" or "?", no separator): matches the bare name as a whole, "*" any
//   run of characters, "?" one character;
// - a path (holds "\\" or "/"): names the entry's full path or a folder above it. Both are
//   compared with "/" read as "\\" and the entry's trailing separators dropped; its last
//   name may be a pattern.
// Every comparison folds only the ASCII letters A to Z onto a to z.
#include <string>
#include <vector>

// Index of the first of exclusions that excludes the file or folder at path, or -1. path
// is a full path with "\\" separators and no trailing one, or a bare name alone.
int FindExclusion(const std::vector<std::string>& exclusions, const std::string& path);
// The same for names in any language, as the file system's wide functions give them.
int FindExclusion(const std::vector<std::wstring>& exclusions, const std::wstring& path);
