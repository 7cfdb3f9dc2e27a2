// Times daily snapshots with hard links as the window's Start makes them with its link
// choice checked (a copy run, its count included, with the snapshot step linked to the
// newest earlier dated folder) against the platform's floor and against Start with the
// choice unchecked: day 1 with no earlier folder, day 1 with an empty earlier folder (every
// file new), then day 2 with nothing changed and with 1% of the files changed. Each figure
// is the median over rounds in which the floor, the unchecked Start and both day 1s take
// turns at going first; the ratios are taken within each round. Prints the bytes written as
// a share of a full copy.
// Usage: snapshot_bench [work folder]; the generated data is removed at the end.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchTree.h"
#include "copy/CopyRun.h"
#include "copy/PreviousSnapshot.h"
#include "copy/SnapshotLink.h"

namespace {

struct Day {
  double seconds = 0;
  unsigned long long written = 0;
  long copied = 0, linked = 0;
};

// The run's view without a window: nothing is shown and nothing aborts.
class CSilentView : public ICopyRunView {
 public:
  void BeginCopyMode() override {}
  void ShowCounting() override {}
  void SetProgressRange(long) override {}
  void OnFileCopyStarting(const char*) override {}
  void OnFileCopied(const char*) override {}
  bool PumpMessagesAndReadAbort() override { return false; }
  void ShowAborted() override { std::printf("  run aborted\n"); }
  void ShowFailure(const CopyFailure& failure) override { std::printf("  run failed: %s\n", failure.source.c_str()); }
  void EndCopyMode() override {}
};

// One Start into snapshots\<date>, as the window makes it with its link choice checked, or
// unchecked without linked.
Day RunDay(const std::string& snapshots, const std::string& date, const std::string& source, bool linked = true) {
  CFolderMap folders;
  folders.GetOrCreate(date).push_back(source);
  CSilentView view;
  CCopyRun run(folders, snapshots + "\\", {}, view, std::chrono::milliseconds(0));
  std::unique_ptr<CSnapshotLink> step;
  Day day;
  day.seconds = Seconds([&] {
    const std::string top = snapshots + "\\" + date;
    if (linked) step = std::make_unique<CSnapshotLink>(top, FindPreviousSnapshot(top).folder);
    run.UseFileCopyStep(step.get());
    run.Run();
  });
  day.written = run.BytesCopied();
  day.copied = run.FilesCopied();
  if (!step) return day;
  day.written -= step->BytesNotWritten();
  day.linked = step->FilesLinked();
  day.copied = run.FilesCopied() - day.linked - step->FilesSkipped();
  return day;
}

// Gives every hundredth file of the small tree a new last-write time, as an edit would.
void TouchOnePercent(const std::string& source) {
  SYSTEMTIME now;
  GetSystemTime(&now);
  FILETIME written;
  SystemTimeToFileTime(&now, &written);
  for (int child = 0; child < 50; ++child) {
    const std::string path = source + "\\folder" + std::to_string(child) + "\\file0.dat";
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
  }
}

// One kind of day over the rounds: its seconds as a ratio to the round's floor, and the
// last round's counts.
struct Figure {
  explicit Figure(const char* name) : title(name) {}
  const char* title;
  Spread ratio;
  Day last;
  void Add(const Day& day, double base) {
    ratio.Add(day.seconds / base);
    last = day;
  }
  void Report(unsigned long long fullBytes, unsigned long long changedBytes) const {
    if (last.seconds == 0) return;
    std::printf("  %-36s %s  copied %5ld, linked %5ld  written %5.1f%% of a full copy"
                " (%.2f%% beyond the changed files)\n",
                title, ratio.Text().c_str(), last.copied, last.linked, 100.0 * last.written / fullBytes,
                100.0 * (last.written - std::min(last.written, changedBytes)) / fullBytes);
  }
};

void Measure(const char* title, const std::string& work, const std::string& tree, unsigned long long fullBytes,
             bool withChanges) {
  const std::string source = work + "\\" + tree;
  Figure plain{"unchecked Start / floor"}, day1{"day 1, no earlier folder / floor"},
      day1ToPlain{"day 1, no earlier folder / unchecked"}, day1New{"day 1, every file new / floor"},
      unchanged{"day 2, nothing changed / floor"}, changed{"day 2, 1% of files changed / floor"};
  Spread floors;
  for (int round = 0; round < kRounds; ++round) {
    // New folders each round: under Wine, day 1 into a folder that earlier rounds filled
    // with links and emptied measured up to 1.6 times as slow, with or without the step.
    const std::string snapshots = work + "\\snapshots" + std::to_string(round);
    const std::string withEmptyDay = work + "\\empty-day" + std::to_string(round);
    CreateDirectoryA(withEmptyDay.c_str(), nullptr);
    CreateDirectoryA((withEmptyDay + "\\2019-12-31").c_str(), nullptr);
    double floor = 0;
    Day unchecked, first, firstNew;
    const std::function<void()> ways[] = {
        [&] { floor = Seconds([&] { FloorCopy(source, work + "\\floor"); }); },
        [&] { unchecked = RunDay(work + "\\plain", "2020-01-01", source, false); },
        [&] { first = RunDay(snapshots, "2020-01-01", source); },
        [&] { firstNew = RunDay(withEmptyDay, "2020-01-01", source); },
    };
    for (int turn = 0; turn < 4; ++turn) ways[(round + turn) % 4]();
    RemoveTree(work + "\\floor");
    RemoveTree(work + "\\plain");
    RemoveTree(withEmptyDay);
    floors.Add(floor);
    plain.Add(unchecked, floor);
    day1.Add(first, floor);
    day1ToPlain.Add(first, unchecked.seconds);
    day1New.Add(firstNew, floor);
    unchanged.Add(RunDay(snapshots, "2020-01-02", source), floor);
    RemoveTree(snapshots + "\\2020-01-02");
    if (withChanges) {
      TouchOnePercent(source);
      changed.Add(RunDay(snapshots, "2020-01-02", source), floor);
      RemoveTree(snapshots + "\\2020-01-02");
    }
    RemoveTree(snapshots);
  }
  std::printf("%s (ratios: median (lowest..highest) of %d rounds; floor %s s)\n", title, kRounds,
              floors.Text("%.3f").c_str());
  plain.Report(fullBytes, 0);
  day1.Report(fullBytes, 0);
  day1ToPlain.Report(fullBytes, 0);
  day1New.Report(fullBytes, 0);
  unchanged.Report(fullBytes, 0);
  changed.Report(fullBytes, fullBytes / 100);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string work = MakeWorkFolder(argc, argv, "sheafsnapbench");
  MakeSmallTree(work + "\\small");
  CreateDirectoryA((work + "\\big").c_str(), nullptr);
  WriteBytes(work + "\\big\\big.dat", std::vector<char>(1 << 20, 'b'), 512);

  Measure("5,000 files of 2 KB in 50 folders", work, "small", kSmallTreeFiles * 2048ull, true);
  Measure("one file of 512 MB", work, "big", 512ull << 20, false);
  RemoveTree(work);
  return 0;
}
