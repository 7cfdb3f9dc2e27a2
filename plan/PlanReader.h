#pragma once
// The plan file reader: rebuilds the folder tree, the folder map, the destination root
// and the exclusion list from a plan file. It finds elements by plain searching (see
// TagScanner.h) and reports nothing: what it cannot use it leaves as it was.
#include <string>
#include <vector>

#include "plan/FolderMap.h"
#include "plan/PlanTree.h"

struct PlanLoadSettings {
  std::string workDir;         // the destination root when the file names none
  std::string dateFolderName;  // today's date, the new name of a top folder named by a date
  bool (*isDate)(const std::string& name);
};

// Reads a text file in binary mode; each line (ended by CR LF or a lone LF, or by the
// end of the file) is appended with one LF. False when the file cannot be opened.
bool ReadTextFile(const std::string& path, std::string& text);

enum class PlanLoadResult {
  kLoaded,      // the file holds a plan root element; what it holds was loaded
  kUnreadable,  // the file cannot be opened
  kNoPlan,      // the file holds no plan root element
};

// Loads the plan file at path; a file that cannot be opened, or holds no plan, changes
// nothing. skippedFolders, when not null, receives the opening tag of every folder element
// that was left out: one whose first attribute is not a name, whose key cannot name a
// folder (too deep, too long, a name empty after its cut at a NUL byte), or whose key does
// not start with the top folder's name.
PlanLoadResult LoadPlan(const std::string& path, IPlanTree& tree, CFolderMap& folders,
                        const PlanLoadSettings& settings, std::vector<std::string>* skippedFolders = nullptr);

// Loads a plan from the text of a plan file; false when it holds no plan root element.
bool LoadPlanText(const std::string& document, IPlanTree& tree, CFolderMap& folders,
                  const PlanLoadSettings& settings, std::vector<std::string>* skippedFolders = nullptr);
