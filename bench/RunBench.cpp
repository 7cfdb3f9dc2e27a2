// Times a whole copy run of the 5,000-file tree through the program's front ends, the main
// dialog's Start and the console runner, against the platform's floor and against
// CountFiles and CopyTree alone; and the longest time the window goes without its
// messages being handled.
// Usage: run_bench [work folder]; the generated data is removed at the end.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "bench/BenchTree.h"
#include "copy/TreeCopy.h"
#include "res/resource.h"
#include "ui/SheafkeeperDlg.h"

namespace {

const int kRounds = 4;

// The main dialog with its message pumps timed: the longest gap between two of them
// (or between the start or the end of the run and the nearest one), in the count and in
// the copy.
class CTimedDialog : public CSheafkeeperDlg {
 public:
  CTimedDialog() : CSheafkeeperDlg(nullptr) {}

  void BeginCopyMode() override {
    m_counting = true;
    m_lastPump = Now();
    CSheafkeeperDlg::BeginCopyMode();
  }
  void SetProgressRange(long total) override {
    Service();
    m_counting = false;
    CSheafkeeperDlg::SetProgressRange(total);
  }
  bool PumpMessagesAndReadAbort() override {
    Service();
    return CSheafkeeperDlg::PumpMessagesAndReadAbort();
  }
  void EndCopyMode() override {
    Service();
    CSheafkeeperDlg::EndCopyMode();
  }

  double longestCountGap = 0;
  double longestCopyGap = 0;

 private:
  void Service() {
    double now = Now();
    double& longest = m_counting ? longestCountGap : longestCopyGap;
    longest = std::max(longest, now - m_lastPump);
    m_lastPump = now;
  }

  bool m_counting = false;
  double m_lastPump = 0;
};

struct Figures {
  double floor = 1e9, count = 1e9, copy = 1e9, dialog = 1e9, runner = 1e9, runnerStart = 1e9;
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

}  // namespace

int main(int argc, char** argv) {
  InitCommonControls();
  const std::string work = MakeWorkFolder(argc, argv, "sheafrunbench");
  const std::string source = work + "\\small";
  MakeSmallTree(source);

  // The dialog's working folder holds the plan it loads at start-up.
  const std::string front = work + "\\front";
  const std::string out = work + "\\out";
  CreateDirectoryA(front.c_str(), nullptr);
  std::string plan = "<Sheafkeeper desrootfolder=\"" + out + "\\\">\r\n<desfolder name=\"run\">\r\n<srcfilepath>" +
                     source + "</srcfilepath>\r\n</desfolder>\r\n</Sheafkeeper>\r\n";
  WriteBytes(front + "\\temp.xml", std::vector<char>(plan.begin(), plan.end()), 1);
  SetCurrentDirectoryA(front.c_str());
  CTimedDialog dialog;
  dialog.Create(nullptr);

  // Best of kRounds for each way; the ways take turns at running first, so that a burst of
  // load on the machine does not always fall on the same one.
  Figures best;
  int floorCopied = 0, copied = 0, counted = 0;
  DWORD runnerExit = 0;
  const std::function<void()> ways[] = {
      [&] { best.floor = std::min(best.floor, Seconds([&] { floorCopied = FloorCopy(source, out); })); },
      [&] {
        copied = 0;
        best.count = std::min(best.count, Seconds([&] { counted = CountFiles(source, nullptr); }));
        best.copy =
            std::min(best.copy, Seconds([&] { CopyTree(out, source, nullptr, nullptr, CountCopied, &copied); }));
      },
      [&] {
        best.dialog = std::min(best.dialog, Seconds([&] { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, 0)); }));
      },
      [&] {
        best.runner =
            std::min(best.runner, Seconds([&] { runnerExit = RunRunner("--quiet \"" + front + "\\temp.xml\""); }));
      },
  };
  const int kWays = static_cast<int>(sizeof(ways) / sizeof(ways[0]));
  for (int round = 0; round < kRounds; ++round) {
    for (int turn = 0; turn < kWays; ++turn) {
      ways[(round + turn) % kWays]();
      RemoveTree(out);
    }
    best.runnerStart = std::min(best.runnerStart, Seconds([&] { RunRunner("--help"); }));
    if (floorCopied != kSmallTreeFiles || counted != kSmallTreeFiles || copied != kSmallTreeFiles ||
        dialog.m_progress.GetPos() != kSmallTreeFiles || runnerExit != 0) {
      std::printf("  copy failed: %d, %d, %d and %d files; the runner's exit code %lu\n", floorCopied, counted, copied,
                  dialog.m_progress.GetPos(), runnerExit);
    }
  }
  dialog.DestroyWindow();
  SetCurrentDirectoryA(work.c_str());
  SetCurrentDirectoryA("..");

  const double engine = best.count + best.copy;
  std::printf("5,000 files of 2 KB in 50 folders (best of %d rounds)\n", kRounds);
  std::printf("  floor                  %7.3f s\n", best.floor);
  std::printf("  CountFiles + CopyTree  %7.3f s  (%.3f + %.3f)  ratio to floor %.2f\n", engine, best.count, best.copy,
              engine / best.floor);
  std::printf(
      "  Start in the dialog    %7.3f s  ratio to floor %.2f, to CopyTree %.2f, to CountFiles + CopyTree %.2f\n",
      best.dialog, best.dialog / best.floor, best.dialog / best.copy, best.dialog / engine);
  std::printf(
      "  SheafkeeperRun.exe     %7.3f s  ratio to floor %.2f, to CountFiles + CopyTree %.2f"
      " (of which %.3f s to start and end the process)\n",
      best.runner, best.runner / best.floor, best.runner / engine, best.runnerStart);
  std::printf("  longest gap between two pumps: %.1f ms while counting, %.1f ms while copying (worst of all rounds)\n",
              1e3 * dialog.longestCountGap, 1e3 * dialog.longestCopyGap);
  RemoveTree(work);
  return 0;
}
