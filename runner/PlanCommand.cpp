#include "runner/PlanCommand.h"

#include <chrono>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "copy/CopyRun.h"
#include "copy/EntryLookup.h"
#include "copy/PreviousSnapshot.h"
#include "copy/SnapshotLink.h"
#include "copy/WideText.h"
#include "plan/DateName.h"
#include "plan/MemoryPlanTree.h"
#include "plan/PlanReader.h"
#include "platform/LocaleDate.h"
#include "platform/RunLog.h"
#include "platform/WorkingFolder.h"
#include "runner/ConsoleRunView.h"
#include "runner/DryRunChecks.h"
#include "runner/KeepDays.h"
#include "runner/RunnerOptions.h"
#include "Version.h"

const char kProgramName[] = "SheafkeeperRun";

namespace {

const char kAutomaticPlanFile[] = "temp.xml";

int Refuse(const std::string& reason) {
  std::fprintf(stderr, "%s: %s\n", kProgramName, reason.c_str());
  return kExitPlanUnread;
}

// Each destination folder in walk order with its source paths and their file counts, then
// each exclusion with the files and folders it left out; one that left out nothing may be
// mistyped, so it is marked.
void PrintCounts(const CCopyRun& run, const std::vector<std::string>& exclusions) {
  for (const CountedFolder& folder : run.CountedFolders()) {
    std::printf("%s\n", folder.destination.c_str());
    for (const auto& source : folder.sources) std::printf("%10d  %s\n", source.second, source.first.c_str());
  }
  if (!exclusions.empty()) std::printf("excluded:\n");
  for (std::size_t i = 0; i < exclusions.size(); ++i) {
    const long count = run.ExclusionCounts()[i];
    std::printf("%10ld  %s%s\n", count, exclusions[i].c_str(), count == 0 ? "  (matches nothing)" : "");
  }
  std::printf("files in all: %ld\n", run.Total());
  for (const std::wstring& path : run.NotFollowed()) {
    std::printf("not followed (a link or a loop): %s\n", AnsiForDisplay(path).c_str());
  }
}

// What the count could not list or look up, which the run would fail on; each also in the log.
void PrintCountFailures(const CCopyRun& run, CRunLog& log) {
  for (const CopyFailure& failure : run.Failures()) {
    std::printf("fails: %s: %s\n", failure.source.c_str(), AnsiForDisplay(FailureReason(failure)).c_str());
    log.WriteFailure(failure);
  }
}

void PrintSummary(const RunFigures& figures, bool keepGoing) {
  const double megabytes = static_cast<double>(figures.bytesCopied) / (1024 * 1024);
  std::fprintf(stderr, "%s, in %.1f s (%.1f MB/s)", FilesCopiedText(figures).c_str(), figures.seconds,
               figures.seconds > 0 ? megabytes / figures.seconds : 0.0);
  if (keepGoing) std::fprintf(stderr, ", failed entries: %lu", static_cast<unsigned long>(figures.failedEntries));
  std::fputs("\n", stderr);
}

// The previous snapshot that the top folder's files are linked to; when there is none,
// a note says so once.
std::string PreviousSnapshotFolder(const std::string& topFolder, bool quiet) {
  const PreviousSnapshot previous = FindPreviousSnapshot(topFolder);
  if (previous.folder.empty() && !quiet) {
    std::fprintf(stderr, previous.topIsDate ? "no earlier dated snapshot beside %s: nothing to link, files are copied\n"
                                            : "%s is not named by a date: nothing to link, files are copied\n",
                 topFolder.c_str());
  }
  return previous.folder;
}

// The file step of a run with --skip-unchanged or --link-unchanged; null for a plain run.
std::unique_ptr<CSnapshotLink> SnapshotStep(const RunnerOptions& options, CMemoryPlanTree& tree) {
  if (!options.skipUnchanged || options.dryRun) return nullptr;
  const std::string topFolder = NormalisePath(tree.GetDesRoot() + tree.KeyOf(tree.GetTopFolder()));
  const std::string previous = options.linkUnchanged ? PreviousSnapshotFolder(topFolder, options.quiet) : "";
  return std::make_unique<CSnapshotLink>(topFolder, previous);
}

// The word of the log's end line for an exit code.
std::string OutcomeOf(int exitCode) {
  switch (exitCode) {
    case kExitSuccess:
      return "completed";
    case kExitFailed:
      return "failed";
    case kExitAborted:
      return StoppedBySystem() ? "stopped by the system" : "aborted";
  }
  return "plan unread";
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

// Reads the plan at path and copies or counts it, leaving its figures in figures.
// The plan starts as the window's does, with a top folder named today under the
// working folder, before the plan file replaces it.
int RunPlan(const RunnerOptions& options, const std::string& path, const std::string& workDir, CRunLog& log,
            RunFigures& figures) {
  const std::string today = DateFolderName();
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

  CConsoleRunView view(stderr, options.quiet, &log);
  CCopyRun run(folders, tree.GetDesRoot(), tree.m_exclusions, view);
  if (options.keepGoing) run.KeepGoingPastFailures();
  run.RetryLockedFiles(options.retries, std::chrono::seconds(options.retryWaitSeconds));
  const std::unique_ptr<CSnapshotLink> snapshot = SnapshotStep(options, tree);
  run.UseFileCopyStep(snapshot.get());
  const auto start = std::chrono::steady_clock::now();
  const CopyRunResult result = options.dryRun ? run.CountOnly() : run.Run();
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  figures = FiguresOf(run, snapshot.get(), seconds.count());
  bool checksPassed = true;
  if (options.dryRun && result != CopyRunResult::kAborted) {
    PrintCounts(run, tree.m_exclusions);
    PrintCountFailures(run, log);
    checksPassed = CheckPlanBeforeRun(folders, tree.GetDesRoot(), stdout);
  }
  if (!options.dryRun && !options.quiet) PrintSummary(figures, options.keepGoing);
  int exitCode = ExitCodeOf(result);
  if (exitCode == kExitSuccess && (!skippedFolders.empty() || !checksPassed)) exitCode = kExitFailed;
  // Only a run that copied the whole plan removes old days.
  if (exitCode == kExitSuccess && options.keepDays > 0 &&
      !KeepNewestDays(tree.GetDesRoot(), tree.GetItemText(tree.GetTopFolder()), options.keepDays, options.dryRun,
                      options.quiet, log)) {
    exitCode = kExitFailed;
  }
  return exitCode;
}

}  // namespace

int RunPlanCommand(int argc, const char* const* argv) {
  RunnerOptions options;
  std::string error;
  if (!ParseRunnerOptions(argc, argv, options, error)) return Refuse(error + " (see --help)");
  if (options.help) {
    std::fputs(kRunnerUsage, stdout);
    return kExitSuccess;
  }
  if (options.version) {
    std::printf("%s %s\n", kProgramName, SHEAF_VERSION_TEXT);
    return kExitSuccess;
  }
  const std::string workDir = GetWorkingFolder();
  const std::string path = options.planGiven ? options.planPath : workDir + kAutomaticPlanFile;
  CRunLog log(WideFromAnsi(options.logPath));
  log.WriteStart(WideFromAnsi(path + (options.given.empty() ? "" : " with " + options.given)));
  bool warned = false;
  const auto warnOnce = [&] {
    if (!log.HasFailed() || warned) return;
    std::fprintf(stderr, "%s: cannot write the log %s; the run goes on without it\n", kProgramName,
                 options.logPath.c_str());
    warned = true;
  };
  warnOnce();
  CConsoleBreakCatcher breaks;
  RunFigures figures;
  const int exitCode = RunPlan(options, path, workDir, log, figures);
  log.WriteEnd(OutcomeOf(exitCode) + " (exit " + std::to_string(exitCode) + ")", figures);
  warnOnce();
  return exitCode;
}
