#include "ui/SourceLookup.h"

#include <windows.h>

bool LookUpSource(const std::string& path, SourceEntry& entry) {
  if (path.empty() || path.size() >= MAX_PATH) return false;
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  WIN32_FIND_DATAA second;
  bool unique = !::FindNextFileA(search, &second);
  ::FindClose(search);
  if (!unique) return false;
  entry.name = found.cFileName;
  entry.isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return true;
}
