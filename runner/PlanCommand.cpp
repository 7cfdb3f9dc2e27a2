#include "runner/PlanCommand.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "app/WorkingFolder.h"
#include "copy/CopyRun.h"
#include "copy/EntryLookup.h"
#include "copy/PreviousSnapshot.h"
#include "copy/SnapshotLink.h"
#include "plan/DateName.h"
#include "plan/MemoryPlanTree.h"
#include "plan/PlanReader.h"
#include "runner/ConsoleRunView.h"
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

// A snapshot run also says how many files it linked and left alone, and counts only the
// bytes that it wrote.
void PrintSummary(const CCopyRun& run, const CSnapshotLink* snapshot, double seconds) {
  long copied = run.FilesCopied();
  unsigned long long bytes = run.BytesCopied();
  std::string linkedAndSkipped;
  if (snapshot != nullptr) {
    copied = snapshot->FilesCopied();
    bytes = snapshot->BytesWritten();
    linkedAndSkipped = ", linked: " + std::to_string(snapshot->FilesLinked()) +
                       ", skipped: " + std::to_string(snapshot->FilesSkipped());
  }
  const double megabytes = static_cast<double>(bytes) / (1024 * 1024);
  std::fprintf(stderr, "files copied: %ld of %ld%s, %llu bytes%s, in %.1f s (%.1f MB/s)\n", copied, run.Total(),
               linkedAndSkipped.c_str(), bytes, snapshot != nullptr ? " written" : "", seconds,
               seconds > 0 ? megabytes / seconds : 0.0);
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
  switch (LoadPlan(path, tree, folders, PlanLoadSettings{workDir, today, IsLocaleDate})) {
    case PlanLoadResult::kUnreadable:
      return Refuse("cannot read the plan file " + path);
    case PlanLoadResult::kNoPlan:
      return Refuse(path + " holds no plan");
    case PlanLoadResult::kLoaded:
      break;
  }

  CConsoleBreakCatcher breaks;
  CConsoleRunView view(stderr, options.quiet);
  CCopyRun run(folders, tree.GetDesRoot(), tree.m_exclusions, view);
  const std::unique_ptr<CSnapshotLink> snapshot = SnapshotStep(options, tree);
  run.UseFileCopyStep(snapshot.get());
  const auto start = std::chrono::steady_clock::now();
  const CopyRunResult result = options.dryRun ? run.CountOnly() : run.Run();
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  if (options.dryRun && result == CopyRunResult::kCompleted) PrintCounts(run);
  if (!options.dryRun && !options.quiet) PrintSummary(run, snapshot.get(), seconds.count());
  return ExitCodeOf(result);
}
