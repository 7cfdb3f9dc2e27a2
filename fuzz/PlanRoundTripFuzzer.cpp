// Reads arbitrary bytes as a plan file, writes the plan that was read, reads that text
// again and requires the same plan: destination root, keys with their sources in order
// (cleared entries are not written), exclusion rows.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "plan/DateName.h"
#include "plan/MemoryPlanTree.h"
#include "plan/PlanReader.h"
#include "plan/PlanWriter.h"
#include "plan/ShiftJis.h"

namespace {

struct Plan {
  std::string desRoot;
  std::map<std::string, CSourceList> folders;
  std::vector<std::string> exclusions;
  std::string written;

  bool operator==(const Plan& other) const {
    return desRoot == other.desRoot && folders == other.folders && exclusions == other.exclusions;
  }
};

// The plan of document, read over the start-up plan of today's empty top folder.
Plan Load(const std::string& document) {
  CFolderMap folders;
  CMemoryPlanTree tree(folders);
  tree.AddFolder(nullptr, "2030-01-02");
  tree.m_desRoot = "C:\\work\\";
  LoadPlanText(document, tree, folders, PlanLoadSettings{"C:\\work\\", "2030-01-02", IsIsoDateName});
  Plan plan{tree.m_desRoot, {}, tree.m_exclusions, FormatPlan(tree.m_desRoot, folders, tree.m_exclusions)};
  for (const CFolderMap::Entry& entry : folders.Walk()) {
    CSourceList& kept = plan.folders[entry.key];
    if (!entry.sources) continue;
    for (const std::string& path : *entry.sources) {
      if (!path.empty()) kept.push_back(path);
    }
  }
  return plan;
}

// An empty name ("top//", "top/") is written as the file's rules have it, and its folder
// then reads back as its parent: such plans change on purpose and are not compared.
bool HasEmptyName(const Plan& plan) {
  for (const auto& folder : plan.folders) {
    const std::string& key = folder.first;
    std::size_t begin = 0;
    for (std::size_t slash; (slash = sjis::FindFromCharStart(key, "/", begin)) != std::string::npos; begin = slash + 1) {
      if (slash == begin) return true;
    }
    if (begin == key.size()) return true;
  }
  return false;
}

// Values are written as held, nothing escaped, so a value holding "<" may carry markup that
// the next read finds as elements. No Windows path or folder name can hold "<": such plans
// are not compared either.
bool HoldsMarkup(const Plan& plan) {
  auto holds = [](const std::string& value) { return value.find('<') != std::string::npos; };
  if (holds(plan.desRoot)) return true;
  for (const std::string& row : plan.exclusions) {
    if (holds(row)) return true;
  }
  for (const auto& folder : plan.folders) {
    if (holds(folder.first)) return true;
    for (const std::string& path : folder.second) {
      if (holds(path)) return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Plan first = Load(std::string(reinterpret_cast<const char*>(data), size));
  if (HasEmptyName(first) || HoldsMarkup(first)) return 0;
  if (!(Load(first.written) == first)) std::abort();
  return 0;
}
