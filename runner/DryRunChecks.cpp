#include "runner/DryRunChecks.h"

#include <windows.h>

#include "copy/DestinationRoot.h"
#include "copy/EntryLookup.h"
#include "copy/FolderKeyCheck.h"

namespace {

bool EntryHasSourcePath(const CFolderMap::Entry& entry) {
  if (!entry.sources) return false;
  for (const std::string& source : *entry.sources) {
    if (!source.empty()) return true;
  }
  return false;
}

// Why a run cannot use the folder key; empty when it can.
std::string FolderKeyText(const std::string& key) {
  const FolderKeyFault found = FindFolderKeyFault(key);
  switch (found.fault) {
    case FolderNameFault::kNone:
      break;
    case FolderNameFault::kEmpty:
      return "an empty folder name";
    case FolderNameFault::kLeadsOut:
      return "the folder name \"" + found.name + "\" leads out of its folder";
    case FolderNameFault::kNotCreatable:
      return "Windows cannot create a folder named \"" + found.name + "\"";
  }
  return std::string();
}

bool VolumeExists(const std::string& desRoot) {
  const std::string volume = VolumeRootOf(FullPath(NormalisePath(desRoot)));
  return volume.empty() || GetDriveTypeA(volume.c_str()) != DRIVE_NO_ROOT_DIR;
}

}  // namespace

bool HasSourcePath(const CFolderMap& folders) {
  for (const CFolderMap::Entry& entry : folders.Walk()) {
    if (EntryHasSourcePath(entry)) return true;
  }
  return false;
}

bool CheckPlanBeforeRun(const CFolderMap& folders, const std::string& desRoot, std::FILE* out) {
  bool runWouldSucceed = true;
  if (!VolumeExists(desRoot)) {
    std::fprintf(out, "fails: the drive or share of the destination root %s does not exist\n", desRoot.c_str());
    runWouldSucceed = false;
  }
  const CDestinationRoot root(desRoot);
  for (const CFolderMap::Entry& entry : folders.Walk()) {
    if (!EntryHasSourcePath(entry)) continue;
    const std::string fault = FolderKeyText(entry.key);
    if (!fault.empty()) {
      std::fprintf(out, "fails: the folder %s: %s\n", entry.key.c_str(), fault.c_str());
      runWouldSucceed = false;
    }
    for (const std::string& source : *entry.sources) {
      WIN32_FIND_DATAW found;
      std::wstring path;
      if (source.empty() || !ResolveSource(source, found, path) || !root.LiesBelow(path)) continue;
      std::fprintf(out, "note: the destination root lies inside %s; the copy leaves it out\n", source.c_str());
    }
  }
  return runWouldSucceed;
}
