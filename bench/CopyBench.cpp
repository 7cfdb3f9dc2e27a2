// Times CountFiles and CopyTree against the plainest FindFirstFileA/CopyFileA loop over the
// same trees, in one run, each figure the median of many rounds: 5,000 files of 2 KB in
// 50 folders, without and with ten exclusions, and one file of 512 MB; each copied anew and
// then again onto the existing copy.
// Usage: copy_bench [work folder]; the generated data is removed at the end.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchTree.h"
#include "copy/TreeCopy.h"

namespace {

// One exact-path directory search per file: what the tree copy spares for a plain entry
// that it takes from its folder's listing.
void LookUpEveryFile(const std::string& folder) {
  ForEachEntry(folder, [](const std::string& path, const WIN32_FIND_DATAA& item) {
    if (item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return LookUpEveryFile(path);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    FindNextFileA(search, &found);
    FindClose(search);
  });
}

// Seconds for testing the path of every file of the small tree against exclusions, the
// part of the tree copy's cost that they add, which the copy's own noise would hide.
double MatchEveryFile(const std::string& work, const std::vector<std::string>& exclusions) {
  std::vector<std::string> paths;
  ForEachEntry(work + "\\small", [&](const std::string& folder, const WIN32_FIND_DATAA&) {
    ForEachEntry(folder, [&](const std::string& path, const WIN32_FIND_DATAA&) { paths.push_back(path); });
  });
  int excluded = 0;
  const double seconds = Seconds([&] {
    for (const std::string& path : paths) excluded += IsExcludedName(&exclusions, path);
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
  Spread floor, copy, count, lookup, copyToFloor, countToCopy, overFloorPerFile;
  Spread rerunToFloor;  // the same again onto the existing copy
};

// The floor and the tree copy take turns at running first.
Figures Measure(const std::string& work, const std::string& tree, int files,
                const std::vector<std::string>* exclusions = nullptr) {
  const std::string source = work + "\\" + tree;
  const std::string floorTarget = work + "\\floor";
  const std::string copyTarget = work + "\\copy";
  Figures f;
  for (int round = 0; round < kRounds; ++round) {
    int floorCopied = 0, copied = 0, counted = 0, result = 0;
    double floor = 0, count = 0, copy = 0, floorRerun = 0, copyRerun = 0;
    for (int turn = 0; turn < 2; ++turn) {
      if ((round + turn) % 2 == 0) {
        floor = Seconds([&] { floorCopied = FloorCopy(source, floorTarget); });
        floorRerun = Seconds([&] { FloorCopy(source, floorTarget); });
      } else {
        count = Seconds([&] { counted = CountFiles(source, exclusions); });
        copy = Seconds([&] { result = CopyTree(copyTarget, source, exclusions, nullptr, CountCopied, &copied); });
        copyRerun = Seconds([&] { CopyTree(copyTarget, source, exclusions, nullptr, nullptr, nullptr); });
      }
    }
    if (result != 1 || copied != counted || floorCopied != counted) {
      std::printf("  copy failed: %d; %d and %d of %d files\n", result, floorCopied, copied, counted);
    }
    f.lookup.Add(Seconds([&] { LookUpEveryFile(source); }));
    RemoveTree(floorTarget);
    RemoveTree(copyTarget);
    f.floor.Add(floor);
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
  std::printf("  floor     %s s  %9.0f files/s  %8.1f MB/s\n", f.floor.Text("%.3f").c_str(), files / floor,
              megabytes / floor);
  std::printf("  CopyTree  %s s  %9.0f files/s  %8.1f MB/s  ratio to floor %s\n", f.copy.Text("%.3f").c_str(),
              files / copy, megabytes / copy, f.copyToFloor.Text().c_str());
  std::printf("  rerun onto the copy: CopyTree ratio to floor %s\n", f.rerunToFloor.Text().c_str());
  std::printf("  CountFiles %s s  (%s%% of the copy time)\n", f.count.Text("%.3f").c_str(),
              f.countToCopy.Text("%.1f").c_str());
  std::printf("  CopyTree over the floor: %s us a file; one exact-path lookup: %.1f us\n",
              f.overFloorPerFile.Text("%+.1f").c_str(), 1e6 * f.lookup.Median() / files);
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
