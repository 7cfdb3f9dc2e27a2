#include "runner/KeepDays.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "copy/EntryLookup.h"
#include "copy/FolderRemoval.h"
#include "copy/LongPath.h"
#include "copy/WideText.h"
#include "plan/DateName.h"
#include "runner/PlanCommand.h"
#include "platform/RunLog.h"

namespace {

// The folders directly under root named by a date in the form the program gives its top
// folders, oldest first: that form sorts by date as text.
std::vector<std::string> DatedFolders(const std::string& root) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW item;
  FindHandle listing(LongPathOf(root) + L"\\*", item);
  if (!listing.IsOpen()) return names;
  do {
    const std::string name = AnsiForDisplay(item.cFileName);
    if ((item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && IsIsoDateName(name)) names.push_back(name);
  } while (listing.Next(item));
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

bool KeepNewestDays(const std::string& desRoot, const std::string& topName, int keep, bool dryRun, bool quiet,
                    CRunLog& log) {
  std::vector<std::string> days = DatedFolders(desRoot);
  const bool topIsDay = IsIsoDateName(topName);
  if (topIsDay && !std::binary_search(days.begin(), days.end(), topName)) {
    days.insert(std::upper_bound(days.begin(), days.end(), topName), topName);
  }
  const std::string today = topIsDay ? topName : DateFolderName();
  const std::size_t surplus = days.size() > static_cast<std::size_t>(keep) ? days.size() - keep : 0;
  for (std::size_t i = 0; i < surplus && days[i] < today; ++i) {
    const std::string folder = NormalisePath(desRoot) + "\\" + days[i];
    if (dryRun) {
      std::printf("would remove: %s\n", folder.c_str());
      continue;
    }
    FailedEntry failed;
    if (!RemoveFolderTree(LongPathOf(folder), failed)) {
      const std::string reason = AnsiForDisplay(FailureReason(CopyFailure{folder, "", failed}));
      std::fprintf(stderr, "%s: cannot remove %s: %s\n", kProgramName, folder.c_str(), reason.c_str());
      log.WriteRemoval(folder, reason);
      return false;
    }
    if (!quiet) std::fprintf(stderr, "removed %s\n", folder.c_str());
    log.WriteRemoval(folder, "");
  }
  return true;
}
