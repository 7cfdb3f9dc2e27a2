#pragma once
#include <string>

// The name under which one window per working folder runs: the folder's full path with
// its ASCII letters folded, reduced to a hash, since a kernel object name may hold no
// backslash beyond its namespace and a window property name at most 255 bytes.
std::string InstanceNameFor(const std::string& folder);
