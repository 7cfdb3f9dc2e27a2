#include "app/InstanceName.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "plan/ShiftJis.h"

namespace {

// "C:\Data", "c:\data\" and "C:\DATA\x\.." name one folder.
std::string NormalisedFolder(const std::string& folder) {
  char full[MAX_PATH * 2] = "";
  DWORD length = ::GetFullPathNameA(folder.c_str(), sizeof full, full, nullptr);
  std::string path = length > 0 && length < sizeof full ? std::string(full, length) : folder;
  sjis::AppendTrailingBackslash(path);
  return sjis::FoldAsciiCase(path);
}

// 64-bit FNV-1a: the same on every build, so that two versions of the program agree.
std::uint64_t Fnv1a(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char byte : text) {
    hash ^= byte;
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace

std::string InstanceNameFor(const std::string& folder) {
  char name[64];
  std::snprintf(name, sizeof name, "Local\\Sheafkeeper.%016llx",
                static_cast<unsigned long long>(Fnv1a(NormalisedFolder(folder))));
  return name;
}
