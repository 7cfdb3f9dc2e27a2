#include "copy/FolderKeyCheck.h"

#include "copy/EntryLookup.h"
#include "plan/ShiftJis.h"

namespace {

// The last character of a non-empty name, stepping by characters.
std::string LastChar(const std::string& name) {
  std::size_t last = 0;
  for (std::size_t i = 0; i < name.size(); i += sjis::CharLength(name, i)) last = i;
  return name.substr(last);
}

std::string NameFault(const std::string& name) {
  if (name.empty()) return "an empty folder name";
  if (name == "." || name == "..") return "the folder name \"" + name + "\" leads out of its folder";
  if (!IsPlainName(name)) return "the folder name \"" + name + "\" holds a character that no folder name may hold";
  const std::string last = LastChar(name);
  if (last == "." || last == " ") return "the folder name \"" + name + "\" ends in a dot or a space";
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
