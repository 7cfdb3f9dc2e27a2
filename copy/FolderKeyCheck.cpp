#include "copy/FolderKeyCheck.h"

#include "plan/FolderName.h"
#include "plan/ShiftJis.h"

namespace {

std::string NameFault(const std::string& name) {
  if (name.empty()) return "an empty folder name";
  if (name == "." || name == "..") return "the folder name \"" + name + "\" leads out of its folder";
  if (!IsCreatableFolderName(name)) return "Windows cannot create a folder named \"" + name + "\"";
  return std::string();
}

}  // namespace

std::string FolderKeyFault(const std::string& key) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = sjis::FindChar(key, '/', start);
    const std::string fault = NameFault(key.substr(start, slash == std::string::npos ? std::string::npos : slash - start));
    if (!fault.empty() || slash == std::string::npos) return fault;
    start = slash + 1;
  }
}
