#include "runner/PlanCommand.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/WorkingFolder.h"
#include "copy/CopyRun.h"
#include "plan/DateName.h"
#include "plan/MemoryPlanTree.h"
#include "plan/PlanReader.h"
#include "runner/ConsoleRunView.h"
#include "runner/DryRunChecks.h"
#include "runner/RunnerOptions.h"
#include "ui/LocaleDate.h"

namespace {

const char kProgramName[] = "SheafkeeperRun";
const char kAutomaticPlanFile[] = "temp.xml";

int Refuse(const std::string& reason) {
  std::fprintf(stderr, "%s: %s\n", kProgramName, reason.c_str());
  return kExitPlanUnread;
}

// Each destination folder in walk order with its source paths and their file counts.
void PrintCounts(const CCopyRun& run) {
  for (const CountedFolder& folder : run.CountedFolders()) {
    std::printf("%s\n", folder.destination.c_str());
    for (const auto& source : folder.sources) std::printf("%10d  %s\n", source.second, source.first.c_str());
  }
  std::printf("files in all: %ld\n", run.Total());
}

void PrintSummary(const CCopyRun& run, double seconds) {
  const double megabytes = static_cast<double>(run.BytesCopied()) / (1024 * 1024);
  std::fprintf(stderr, "files copied: %ld of %ld, %llu bytes, in %.1f s (%.1f MB/s)\n", run.FilesCopied(), run.Total(),
               run.BytesCopied(), seconds, seconds > 0 ? megabytes / seconds : 0.0);
}

int ExitCodeOf(CopyRunResult result) {
  switch (result) {
    case CopyRunResult::kCompleted:
      return kExitSuccess;
    case CopyRunResult::kAborted:
      return kExitAborted;
    case CopyRunResult::kFailed:
      break;
  }
  return kExitFailed;
}

}  // namespace

// The plan starts as the window's does, with a top folder named today under the
// working folder, before the plan file replaces it.
int RunPlanCommand(int argc, const char* const* argv) {
  RunnerOptions options;
  std::string error;
  if (!ParseRunnerOptions(argc, argv, options, error)) return Refuse(error + " (see --help)");
  if (options.help) {
    std::fputs(kRunnerUsage, stdout);
    return kExitSuccess;
  }
  const std::string workDir = GetWorkingFolder();
  const std::string today = DateFolderName();
  const std::string path = options.planGiven ? options.planPath : workDir + kAutomaticPlanFile;

  CFolderMap folders;
  CMemoryPlanTree tree(folders);
  tree.AddFolder(nullptr, today);
  tree.SetDesRoot(workDir);
  std::vector<std::string> skippedFolders;
  switch (LoadPlan(path, tree, folders, PlanLoadSettings{workDir, today, IsLocaleDate}, &skippedFolders)) {
    case PlanLoadResult::kUnreadable:
      return Refuse("cannot read the plan file " + path);
    case PlanLoadResult::kNoPlan:
      return Refuse(path + " holds no plan");
    case PlanLoadResult::kLoaded:
      break;
  }
  if (!HasSourcePath(folders)) return Refuse(path + ": nothing to copy");
  // A folder the reader left out holds source paths that would silently not be copied.
  for (const std::string& element : skippedFolders) {
    std::fprintf(stderr, "%s: skipped the folder element %s\n", kProgramName, element.c_str());
  }

  CConsoleBreakCatcher breaks;
  CConsoleRunView view(stderr, options.quiet);
  CCopyRun run(folders, tree.GetDesRoot(), tree.m_exclusions, view);
  const auto start = std::chrono::steady_clock::now();
  const CopyRunResult result = options.dryRun ? run.CountOnly() : run.Run();
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  bool checksPassed = true;
  if (options.dryRun && result == CopyRunResult::kCompleted) {
    PrintCounts(run);
    checksPassed = CheckPlanBeforeRun(folders, tree.GetDesRoot(), stdout);
  }
  if (!options.dryRun && !options.quiet) PrintSummary(run, seconds.count());
  const int exitCode = ExitCodeOf(result);
  return exitCode == kExitSuccess && (!skippedFolders.empty() || !checksPassed) ? kExitFailed : exitCode;
}
