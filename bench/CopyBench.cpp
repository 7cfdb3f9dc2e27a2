// Times CountFiles and CopyTree against the plainest FindFirstFileA/CopyFileA loop over the
// same trees, in one run, each figure the median of many rounds: 5,000 files of 2 KB in 50 folders, and one file of 512 MB.
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

// Seconds per way and round, and the figures taken within each round.
struct Figures {
  Spread floor, copy, count, lookup, copyToFloor, countToCopy, overFloorPerFile;
};

// The floor and the tree copy take turns at running first.
Figures Measure(const std::string& work, const std::string& tree, int files) {
  const std::string source = work + "\\" + tree;
  const std::string floorTarget = work + "\\floor";
  const std::string copyTarget = work + "\\copy";
  Figures f;
  for (int round = 0; round < kRounds; ++round) {
    int floorCopied = 0, copied = 0, counted = 0, result = 0;
    double floor = 0, count = 0, copy = 0;
    for (int turn = 0; turn < 2; ++turn) {
      if ((round + turn) % 2 == 0) {
        floor = Seconds([&] { floorCopied = FloorCopy(source, floorTarget); });
      } else {
        count = Seconds([&] { counted = CountFiles(source, nullptr); });
        copy = Seconds([&] { result = CopyTree(copyTarget, source, nullptr, nullptr, CountCopied, &copied); });
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

  Report("5,000 files of 2 KB in 50 folders", Measure(work, "small", kSmallTreeFiles), kSmallTreeFiles,
         kSmallTreeFiles * 2.0 / 1024);
  Report("one file of 512 MB", Measure(work, "big", 1), 1, 512);
  RemoveTree(work);
  return 0;
}
