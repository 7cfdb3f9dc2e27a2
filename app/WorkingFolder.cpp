#include "app/WorkingFolder.h"

#include <direct.h>
#include <cstdlib>

#include "plan/ShiftJis.h"

std::string GetWorkingFolder() {
  std::string folder;
  if (char* current = _getcwd(nullptr, 0)) {
    folder = current;
    std::free(current);
  }
  sjis::AppendTrailingBackslash(folder);
  return folder;
}
