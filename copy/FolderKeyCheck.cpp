#include "copy/FolderKeyCheck.h"

#include "plan/FolderName.h"
#include "plan/ShiftJis.h"

namespace {

FolderNameFault NameFault(const std::string& name) {
  if (name.empty()) return FolderNameFault::kEmpty;
  if (name == "." || name == "..") return FolderNameFault::kLeadsOut;
  if (!IsCreatableFolderName(name)) return FolderNameFault::kNotCreatable;
  return FolderNameFault::kNone;
}

}  // namespace

FolderKeyFault FindFolderKeyFault(const std::string& key) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = sjis::FindChar(key, '/', start);
    const std::string name = key.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    const FolderNameFault fault = NameFault(name);
    if (fault != FolderNameFault::kNone || slash == std::string::npos) return FolderKeyFault{fault, name};
    start = slash + 1;
  }
}
