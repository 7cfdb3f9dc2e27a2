#include "plan/PathParts.h"

#include <algorithm>

#include "plan/ShiftJis.h"

namespace {

// Position of the last "\" or "/" in text, or npos.
std::size_t FindLastSeparator(const std::string& text) {
  std::size_t backslash = sjis::FindLastChar(text, '\\');
  std::size_t slash = sjis::FindLastChar(text, '/');
  if (backslash == std::string::npos) return slash;
  if (slash == std::string::npos) return backslash;
  return std::max(backslash, slash);
}

}  // namespace

std::string DriveAndFolderOf(const std::string& path) {
  std::size_t driveLength = path.size() >= 2 && path[1] == ':' ? 2 : 0;
  std::string rest = path.substr(driveLength);
  std::size_t separator = FindLastSeparator(rest);
  std::string folder = separator == std::string::npos ? std::string() : rest.substr(0, separator + 1);
  return path.substr(0, driveLength) + folder;
}
