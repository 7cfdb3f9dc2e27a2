// Times CountFiles and CopyTree against the plainest FindFirstFileW/CopyFileW loop on
// "\\?\" paths (the floor) and the same loop through the ANSI functions, over the same
// trees, in one run, each figure the median of many rounds: 5,000 files of 2 KB in 50
// folders, without and with ten exclusions, and one file of 512 MB; each copied anew and
// then again onto the existing copy.
// Usage: copy_bench [work folder]; the generated data is removed at the end.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchTree.h"
#include "copy/TreeCopy.h"
#include "plan/ExclusionMatch.h"

namespace {

// Seconds for testing the long path of every file of the small tree against exclusions,
// the part of the tree copy's cost that they add, which the copy's own noise would hide.
double MatchEveryFile(const std::string& work, const std::vector<std::string>& exclusions) {
  std::vector<std::wstring> paths;
  ForEachEntry(work + "\\small", [&](const std::string& folder, const WIN32_FIND_DATAA&) {
    ForEachEntry(folder, [&](const std::string& path, const WIN32_FIND_DATAA&) { paths.push_back(LongPathOf(path)); });
  });
  CTreeCopyJob job;
  job.Exclude(exclusions);
  int excluded = 0;
  const double seconds = Seconds([&] {
    for (const std::wstring& path : paths) excluded += FindExclusion(job.Exclusions(), path) >= 0;
  });
  if (excluded != 0) std::printf("  %d files excluded\n", excluded);
  return seconds;
}

// Ten exclusions of every kind that match nothing in the small tree, so that each one is
// tested against every entry; the paths share the tree's leading folders.
std::vector<std::string> TenExclusions(const std::string& work) {
  return {"Thumbs.db", "desktop.ini", ".git", "*.tmp", "~$*", "*.b?k", "file*.gz",
          work + "\\small\\folder99", work + "\\small\\folder1\\*.tmp", "C:\\elsewhere\\logs"};
}

// Seconds per way and round, and the figures taken within each round.
struct Figures {
  Spread floor, ansiFloor, copy, count, copyToFloor, copyToAnsiFloor, countToCopy, overFloorPerFile;
  Spread rerunToFloor;  // the same again onto the existing copy
};

// The floor and the tree copy take turns at running first.
Figures Measure(const std::string& work, const std::string& tree, int files,
                const std::vector<std::string>* exclusions = nullptr) {
  const std::string source = work + "\\" + tree;
  const std::string floorTarget = work + "\\floor";
  const std::string copyTarget = work + "\\copy";
  const std::string ansiTarget = work + "\\ansi";
  Figures f;
  for (int round = 0; round < kRounds; ++round) {
    int floorCopied = 0, copied = 0, counted = 0, result = 0;
    double floor = 0, ansiFloor = 0, count = 0, copy = 0, floorRerun = 0, copyRerun = 0;
    for (int turn = 0; turn < 3; ++turn) {
      const int way = (round + turn) % 3;
      if (way == 0) {
        floor = Seconds([&] { floorCopied = FloorCopy(source, floorTarget); });
        floorRerun = Seconds([&] { FloorCopy(source, floorTarget); });
      } else if (way == 1) {
        ansiFloor = Seconds([&] { AnsiFloorCopy(source, ansiTarget); });
      } else {
        count = Seconds([&] { counted = CountFiles(source, exclusions); });
        copy = Seconds([&] { result = CopyTree(copyTarget, source, exclusions, nullptr, CountCopied, &copied); });
        copyRerun = Seconds([&] { CopyTree(copyTarget, source, exclusions, nullptr, nullptr, nullptr); });
      }
    }
    if (result != 1 || copied != counted || floorCopied != counted) {
      std::printf("  copy failed: %d; %d and %d of %d files\n", result, floorCopied, copied, counted);
    }
    RemoveTree(floorTarget);
    RemoveTree(copyTarget);
    RemoveTree(ansiTarget);
    f.floor.Add(floor);
    f.ansiFloor.Add(ansiFloor);
    f.copyToAnsiFloor.Add(copy / ansiFloor);
    f.copy.Add(copy);
    f.count.Add(count);
    f.copyToFloor.Add(copy / floor);
    f.countToCopy.Add(100 * count / copy);
    f.overFloorPerFile.Add(1e6 * (copy - floor) / files);
    f.rerunToFloor.Add(copyRerun / floorRerun);
  }
  return f;
}

void Report(const char* title, const Figures& f, int files, double megabytes) {
  std::printf("%s (medians of %d rounds, lowest..highest)\n", title, kRounds);
  const double floor = f.floor.Median(), copy = f.copy.Median();
  std::printf("  floor     %s s  %9.0f files/s  %8.1f MB/s  (FindFirstFileW/CopyFileW on \\\\?\\ paths)\n",
              f.floor.Text("%.3f").c_str(), files / floor, megabytes / floor);
  std::printf("  ANSI floor %s s  (FindFirstFileA/CopyFileA)\n", f.ansiFloor.Text("%.3f").c_str());
  std::printf("  CopyTree  %s s  %9.0f files/s  %8.1f MB/s  ratio to floor %s\n", f.copy.Text("%.3f").c_str(),
              files / copy, megabytes / copy, f.copyToFloor.Text().c_str());
  std::printf("  CopyTree ratio to the ANSI floor %s\n", f.copyToAnsiFloor.Text().c_str());
  std::printf("  rerun onto the copy: CopyTree ratio to floor %s\n", f.rerunToFloor.Text().c_str());
  std::printf("  CountFiles %s s  (%s%% of the copy time)\n", f.count.Text("%.3f").c_str(),
              f.countToCopy.Text("%.1f").c_str());
  std::printf("  CopyTree over the floor: %s us a file\n", f.overFloorPerFile.Text("%+.1f").c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);  // figures show as they come, through a pipe too
  const std::string work = MakeWorkFolder(argc, argv, "sheafbench");
  MakeSmallTree(work + "\\small");
  const std::vector<char> megabyte(1 << 20, 'b');
  CreateDirectoryA((work + "\\big").c_str(), nullptr);
  WriteBytes(work + "\\big\\big.dat", megabyte, 512);

  const double smallMegabytes = kSmallTreeFiles * 2.0 / 1024;
  const Figures small = Measure(work, "small", kSmallTreeFiles);
  Report("5,000 files of 2 KB in 50 folders", small, kSmallTreeFiles, smallMegabytes);
  const std::vector<std::string> exclusions = TenExclusions(work);
  const Figures excluding = Measure(work, "small", kSmallTreeFiles, &exclusions);
  Report("the same with ten exclusions (bare, pattern, path)", excluding, kSmallTreeFiles, smallMegabytes);
  std::printf("  ratio to floor with ten exclusions over the ratio without: %.3f\n",
              excluding.copyToFloor.Median() / small.copyToFloor.Median());
  const double matching = MatchEveryFile(work, exclusions);
  std::printf("  matching ten exclusions: %.2f us a file, %.2f%% of the copy's time without them\n",
              1e6 * matching / kSmallTreeFiles, 100 * matching / small.copy.Median());
  Report("one file of 512 MB", Measure(work, "big", 1), 1, 512);
  RemoveTree(work);
  return 0;
}
