#include "copy/SafeFileCopy.h"

bool CopyFileSafely(const std::string& source, const std::string& target, BOOL* cancel) {
  return CopyFileExA(source.c_str(), target.c_str(), nullptr, nullptr, cancel, 0) != FALSE;
}
