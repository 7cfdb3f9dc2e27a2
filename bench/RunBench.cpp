// Times a whole copy run of the 5,000-file tree through the program's front ends, the main
// dialog's Start and the console runner, against the platform's floor and against
// CountFiles and CopyTree alone; then a run of one file of 1 GB through the dialog against
// a bare CopyFileA of it; and the longest time the window goes without its messages being
// handled.
// Usage: run_bench [work folder]; the generated data is removed at the end.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "bench/BenchTree.h"
#include "copy/TreeCopy.h"
#include "res/resource.h"
#include "ui/SheafkeeperDlg.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

// The main dialog's copy run strip with the message pumps that handled input timed: the
// longest gap between two of them (or between the start or the end of the run and the
// nearest one), in the count and in the copy.
class CTimedStrip : public CCopyRunStrip {
 public:
  using CCopyRunStrip::CCopyRunStrip;

  void BeginCopyMode() override {
    m_counting = true;
    CCopyRunStrip::BeginCopyMode();
    m_seenPump = m_lastPump;
  }
  void SetProgressRange(long total) override {
    Service(SteadyClock::now());
    m_counting = false;
    CCopyRunStrip::SetProgressRange(total);
  }
  bool PumpMessagesAndReadAbort() override {
    const bool abort = CCopyRunStrip::PumpMessagesAndReadAbort();
    if (m_lastPump != m_seenPump) Service(m_lastPump);
    return abort;
  }
  void EndCopyMode() override {
    Service(SteadyClock::now());
    CCopyRunStrip::EndCopyMode();
  }

  double longestCountGap = 0;
  double longestCopyGap = 0;

 private:
  void Service(SteadyClock::time_point pump) {
    double& longest = m_counting ? longestCountGap : longestCopyGap;
    longest = std::max(longest, std::chrono::duration<double>(pump - m_seenPump).count());
    m_seenPump = pump;
  }

  bool m_counting = false;
  SteadyClock::time_point m_seenPump;
};

// The main dialog whose Start runs with the timed strip.
class CTimedDialog : public CSheafkeeperDlg {
 public:
  CTimedDialog() : CSheafkeeperDlg(nullptr) {}

  ICopyRunView& GetCopyRunView() override { return strip; }
  // The bar's position after the last run.
  int CopiedFiles() const { return static_cast<int>(CWnd(GetDlgItem(IDC_PROGRESS)).SendMessage(PBM_GETPOS)); }

  CTimedStrip strip{*this};

 protected:
  BOOL OnInitDialog() override {
    CSheafkeeperDlg::OnInitDialog();
    strip.SetUp();
    return TRUE;
  }
};

// Seconds per way and round, and the ratios taken within each round.
struct Figures {
  Spread floor, count, copy, dialog, runner, runnerStart;
  Spread engineToFloor, dialogToFloor, dialogToCopy, dialogToEngine, runnerToFloor, runnerToEngine;
};

// Runs SheafkeeperRun.exe, which lies in the folder above this program's, with arguments
// and its output thrown away, as a scheduled task would; its exit code.
DWORD RunRunner(const std::string& arguments) {
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder = self;
  folder = folder.substr(0, folder.find_last_of('\\'));
  std::string command = "\"" + folder.substr(0, folder.find_last_of('\\') + 1) + "SheafkeeperRun.exe\" " + arguments;
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = nul;
  startup.hStdError = nul;
  PROCESS_INFORMATION process{};
  DWORD exitCode = 9999;
  if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(nul);
  return exitCode;
}

// A dialog made in front, whose automatic plan copies source into out.
void OpenDialog(CTimedDialog& dialog, const std::string& front, const std::string& source, const std::string& out) {
  CreateDirectoryA(front.c_str(), nullptr);
  std::string plan = "<Sheafkeeper desrootfolder=\"" + out + "\\\">\r\n<desfolder name=\"run\">\r\n<srcfilepath>" +
                     source + "</srcfilepath>\r\n</desfolder>\r\n</Sheafkeeper>\r\n";
  WriteBytes(front + "\\temp.xml", std::vector<char>(plan.begin(), plan.end()), 1);
  SetCurrentDirectoryA(front.c_str());
  dialog.Create(nullptr);
}

double Start(CTimedDialog& dialog) {
  return Seconds([&] { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, 0)); });
}

// The small-file tree through every front end; the ways take turns at running first, so
// that a burst of load on the machine does not always fall on the same one.
void MeasureSmallFiles(const std::string& work) {
  const std::string source = work + "\\small";
  const std::string out = work + "\\out";
  const std::string front = work + "\\front";
  MakeSmallTree(source);
  CTimedDialog dialog;
  OpenDialog(dialog, front, source, out);

  Figures f;
  int floorCopied = 0, copied = 0, counted = 0;
  DWORD runnerExit = 0;
  double floor = 0, count = 0, copy = 0, inDialog = 0, runner = 0;
  const std::function<void()> ways[] = {
      [&] { floor = Seconds([&] { floorCopied = FloorCopy(source, out); }); },
      [&] {
        copied = 0;
        count = Seconds([&] { counted = CountFiles(source, nullptr); });
        copy = Seconds([&] { CopyTree(out, source, nullptr, nullptr, CountCopied, &copied); });
      },
      [&] { inDialog = Start(dialog); },
      [&] { runner = Seconds([&] { runnerExit = RunRunner("--quiet \"" + front + "\\temp.xml\""); }); },
  };
  const int kWays = static_cast<int>(sizeof(ways) / sizeof(ways[0]));
  for (int round = 0; round < kRounds; ++round) {
    for (int turn = 0; turn < kWays; ++turn) {
      ways[(round + turn) % kWays]();
      RemoveTree(out);
    }
    f.runnerStart.Add(Seconds([&] { RunRunner("--help"); }));
    if (floorCopied != kSmallTreeFiles || counted != kSmallTreeFiles || copied != kSmallTreeFiles ||
        dialog.CopiedFiles() != kSmallTreeFiles || runnerExit != 0) {
      std::printf("  copy failed: %d, %d, %d and %d files; the runner's exit code %lu\n", floorCopied, counted, copied,
                  dialog.CopiedFiles(), runnerExit);
    }
    const double engine = count + copy;
    f.floor.Add(floor);
    f.count.Add(count);
    f.copy.Add(copy);
    f.dialog.Add(inDialog);
    f.runner.Add(runner);
    f.engineToFloor.Add(engine / floor);
    f.dialogToFloor.Add(inDialog / floor);
    f.dialogToCopy.Add(inDialog / copy);
    f.dialogToEngine.Add(inDialog / engine);
    f.runnerToFloor.Add(runner / floor);
    f.runnerToEngine.Add(runner / engine);
  }
  dialog.DestroyWindow();

  std::printf("5,000 files of 2 KB in 50 folders (medians of %d rounds, lowest..highest)\n", kRounds);
  std::printf("  floor                  %s s\n", f.floor.Text("%.3f").c_str());
  std::printf("  CountFiles + CopyTree  (%.3f + %.3f s)  ratio to floor %s\n", f.count.Median(), f.copy.Median(),
              f.engineToFloor.Text().c_str());
  std::printf("  Start in the dialog    %s s  ratio to floor %s, to CopyTree %s, to CountFiles + CopyTree %s\n",
              f.dialog.Text("%.3f").c_str(), f.dialogToFloor.Text().c_str(), f.dialogToCopy.Text().c_str(),
              f.dialogToEngine.Text().c_str());
  std::printf(
      "  SheafkeeperRun.exe     %s s  ratio to floor %s, to CountFiles + CopyTree %s"
      " (of which %.3f s to start and end the process)\n",
      f.runner.Text("%.3f").c_str(), f.runnerToFloor.Text().c_str(), f.runnerToEngine.Text().c_str(),
      f.runnerStart.Median());
  std::printf("  longest gap between two pumps: %.1f ms while counting, %.1f ms while copying (worst of all rounds)\n",
              1e3 * dialog.strip.longestCountGap, 1e3 * dialog.strip.longestCopyGap);
}

// One file of 1 GB through the dialog, copied on a worker thread, against a bare CopyFileA
// of it on this thread; the two take turns at running first.
void MeasureLargeFile(const std::string& work) {
  const std::string big = work + "\\big.dat";
  const std::string out = work + "\\out";
  const std::string bare = work + "\\bare.dat";
  WriteBytes(big, std::vector<char>(1 << 20, 'b'), 1024);
  CTimedDialog dialog;
  OpenDialog(dialog, work + "\\frontbig", big, out);

  Spread bareSeconds, dialogSeconds, ratio;
  for (int round = 0; round < kRounds; ++round) {
    double bareCopy = 0, inDialog = 0;
    for (int turn = 0; turn < 2; ++turn) {
      if ((round + turn) % 2 == 0) {
        bareCopy = Seconds([&] { CopyFileA(big.c_str(), bare.c_str(), FALSE); });
      } else {
        inDialog = Start(dialog);
      }
    }
    if (dialog.CopiedFiles() != 1) std::printf("  copy failed in the dialog\n");
    DeleteFileA(bare.c_str());
    RemoveTree(out);
    bareSeconds.Add(bareCopy);
    dialogSeconds.Add(inDialog);
    ratio.Add(inDialog / bareCopy);
  }
  dialog.DestroyWindow();

  std::printf("one file of 1 GB (medians of %d rounds, lowest..highest)\n", kRounds);
  std::printf("  CopyFileA              %s s\n", bareSeconds.Text("%.3f").c_str());
  std::printf("  Start in the dialog    %s s  ratio to CopyFileA %s\n", dialogSeconds.Text("%.3f").c_str(),
              ratio.Text().c_str());
  std::printf("  longest gap between two pumps: %.1f ms while counting, %.1f ms while copying (worst of all rounds)\n",
              1e3 * dialog.strip.longestCountGap, 1e3 * dialog.strip.longestCopyGap);
}

}  // namespace

int main(int argc, char** argv) {
  InitCommonControls();
  std::setvbuf(stdout, nullptr, _IONBF, 0);  // figures show as they come, through a pipe too
  const std::string work = MakeWorkFolder(argc, argv, "sheafrunbench");
  MeasureSmallFiles(work);
  MeasureLargeFile(work);
  SetCurrentDirectoryA(work.c_str());
  SetCurrentDirectoryA("..");
  RemoveTree(work);
  return 0;
}
