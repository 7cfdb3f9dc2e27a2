// The console runner: the real SheafkeeperRun.exe on plan files, its exit codes and
// output, the same tree as the window's copy run, and Ctrl+C.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <set>
#include <thread>
#include <utility>

#include "CurrentFolder.h"
#include "RunningProgram.h"
#include "ScriptedModalUi.h"
#include "TempFolder.h"
#include "TreeListing.h"
#include "copy/TreeCopy.h"
#include "copy/WideText.h"
#include "plan/DateName.h"
#include "runner/ConsoleRunView.h"
#include "runner/PlanCommand.h"
#include "ui/SheafkeeperDlg.h"

namespace {

struct RunnerOutput {
  DWORD exitCode;
  std::string out;  // stdout, with CR LF turned into LF
  std::string err;  // stderr, likewise
};

std::string WithoutCarriageReturns(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

HANDLE InheritableFile(const std::string& path) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  return ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
}

// SheafkeeperRun.exe started with arguments in folder, its output going to two files there
// whose names begin with tag; ended at once if it still runs when this goes.
class StartedRunner {
 public:
  StartedRunner(const std::string& arguments, const std::string& folder, const std::string& tag = "runner")
      : m_outPath(folder + "\\" + tag + "-out.txt"), m_errPath(folder + "\\" + tag + "-err.txt") {
    std::string command = "\"" + ProgramPath("SheafkeeperRun.exe") + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = InheritableFile(m_outPath);
    startup.hStdError = InheritableFile(m_errPath);
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                          &m_process)) {
      m_process = PROCESS_INFORMATION{};
    }
    ::CloseHandle(startup.hStdOutput);
    ::CloseHandle(startup.hStdError);
  }
  ~StartedRunner() {
    if (m_process.hProcess == nullptr) return;
    Kill();
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
  }

  // Ends the process at once, as a crash or Task Scheduler's "end task" does.
  void Kill() const {
    if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0) return;
    ::TerminateProcess(m_process.hProcess, 9);
    ::WaitForSingleObject(m_process.hProcess, 20000);
  }
  // Until the end, or a minute, calls look with what it has written to stderr so far.
  void WhileRunning(const std::function<void(const std::string&)>& look) const {
    for (int waited = 0; waited < 60000 && ::WaitForSingleObject(m_process.hProcess, 50) == WAIT_TIMEOUT;
         waited += 50) {
      look(testfs::ReadFile(m_errPath));
    }
  }
  // Waits up to a minute for the end, then reads the output.
  RunnerOutput Finish() const {
    RunnerOutput output{9999, "", ""};
    if (m_process.hProcess != nullptr) {
      ::WaitForSingleObject(m_process.hProcess, 60000);
      ::GetExitCodeProcess(m_process.hProcess, &output.exitCode);
    }
    output.out = WithoutCarriageReturns(testfs::ReadFile(m_outPath));
    output.err = WithoutCarriageReturns(testfs::ReadFile(m_errPath));
    ::DeleteFileA(m_outPath.c_str());
    ::DeleteFileA(m_errPath.c_str());
    return output;
  }

 private:
  std::string m_outPath;
  std::string m_errPath;
  PROCESS_INFORMATION m_process{};
};

RunnerOutput RunRunner(const std::string& arguments, const std::string& folder,
                       const std::function<void(const std::string&)>& whileRunning = nullptr) {
  const StartedRunner runner(arguments, folder);
  if (whileRunning) runner.WhileRunning(whileRunning);
  return runner.Finish();
}

// A plan file's text: the root, folders with their source paths, exclusions.
struct PlanFolder {
  std::string name;
  std::vector<std::string> sources;
};
std::string PlanText(const std::string& root, const std::vector<PlanFolder>& folders,
                     const std::vector<std::string>& exclusions = {}) {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"Shift-JIS\" ?>\r\n<Sheafkeeper desrootfolder=\"" + root + "\">\r\n";
  for (const PlanFolder& folder : folders) {
    text += "  <desfolder name=\"" + folder.name + "\">\r\n";
    for (const std::string& source : folder.sources) text += "    <srcfilepath>" + source + "</srcfilepath>\r\n";
    text += "  </desfolder>\r\n";
  }
  for (const std::string& name : exclusions) text += "  <nocopyfilepath>" + name + "</nocopyfilepath>\r\n";
  return text + "</Sheafkeeper>\r\n";
}

// Starts a Linux command on two paths through Wine; false where Wine cannot give a path's
// Linux name.
bool RunOnLinux(const char* program, const std::string& path, const std::string& secondPath) {
  if (testfs::UnixPath(path).empty()) return false;
  std::string command =
      std::string(program) + " \"" + testfs::UnixPath(path) + "\" \"" + testfs::UnixPath(secondPath) + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  return ::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
}

class RunnerTest : public testing::Test {
 protected:
  std::string Source(const std::string& name, const std::string& contents) {
    testfs::WriteFile(temp_ / name, contents);
    return temp_ / name;
  }
  std::string Dest() const { return temp_ / "dest"; }
  std::string Today() const { return Dest() + "\\" + DateFolderName(); }

  // Runs plan in this process with a log, sends the console event (Ctrl+C by default) as
  // the system does, on a thread of its own, once pressWhen holds, and gives the exit code;
  // copiedAtPress: the files copied then.
  int RunPressingCtrlC(const std::string& plan, const std::function<bool()>& pressWhen, int& copiedAtPress,
                       DWORD event = CTRL_C_EVENT) {
    int exitCode = -1;
    const std::string log = temp_ / "run.log";
    std::thread run([&] {
      const char* arguments[] = {"SheafkeeperRun", "--quiet", "--log", log.c_str(), plan.c_str()};
      exitCode = RunPlanCommand(5, arguments);
    });
    for (int attempt = 0; attempt < 1000 && !pressWhen(); ++attempt) ::Sleep(10);
    EXPECT_TRUE(OnConsoleBreak(event));
    copiedAtPress = testfs::FilesIn(Today());
    run.join();
    return exitCode;
  }

  testfs::TempFolder temp_;
};

TEST_F(RunnerTest, TheRunnerAndTheWindowCopyAPlanIntoTheSameTree) {
  const std::string home = temp_ / "計画";
  testfs::MakeFolder(home);
  for (const char* name : {"src", "src\\docs", "src\\docs\\表", "src\\docs\\Thumbs.db", "src\\one"}) {
    testfs::MakeFolder(temp_ / name);
  }
  for (const char* name : {"src\\docs\\a.txt", "src\\docs\\ソ表.txt", "src\\docs\\表\\ソ.dat", "src\\docs\\thumbs.db",
                           "src\\docs\\Thumbs.db\\x.txt", "src\\one\\only.txt", "src\\one\\other.log", "src\\十.txt"}) {
    Source(name, name);
    testfs::SetOldWriteTime(temp_ / name);
  }
  const std::string plan = PlanText(Dest() + "\\",
                                    {{"2006-05-01", {temp_ / "src\\docs", temp_ / "src\\one\\*.txt"}},
                                     {"2006-05-01/ソ表", {"", temp_.Path() + "/src/十.txt"}}},
                                    {"THUMBS.DB", "ソ*.txt", temp_.Path() + "/src/docs/表/"});
  testfs::WriteFile(home + "\\計画.xml", plan);

  RunnerOutput runner = RunRunner("\"" + home + "\\計画.xml\"", home);
  EXPECT_EQ(runner.exitCode, 0u) << runner.err;
  EXPECT_EQ(testfs::ReadFile(home + "\\計画.xml"), plan);  // the plan file is only read
  const testfs::Listing byRunner = testfs::ListTree(Today());
  ASSERT_TRUE(::MoveFileA(Dest().c_str(), (temp_ / "by-runner").c_str()));

  {
    CurrentFolder current(home);
    testfs::WriteFile(home + "\\temp.xml", plan);
    ScriptedModalUi ui;
    CSheafkeeperDlg dialog(nullptr);
    ASSERT_TRUE(dialog.Create(nullptr));
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    EXPECT_TRUE(ui.messages.empty());
    dialog.ShowWindow(SW_HIDE);
  }
  EXPECT_EQ(testfs::ListTree(Today()), byRunner);
  EXPECT_EQ(byRunner.size(), 5u);  // the folders docs and ソ表, and three files
  EXPECT_EQ(byRunner.count("docs\\Thumbs.db\\"), 0u);
  EXPECT_EQ(byRunner.count("docs\\表\\"), 0u);
  EXPECT_EQ(byRunner.count("ソ表\\十.txt"), 1u);
}

TEST_F(RunnerTest, EachOutcomeHasItsExitCodeAndItsReason) {
  const std::string a = Source("a.txt", "1");
  const std::string b = Source("b.txt", "22");
  const std::string missing = temp_.Path() + "/missing\\";
  testfs::WriteFile(temp_ / "good.xml", PlanText(Dest() + "\\", {{"2006-05-01", {a, b}}}));
  testfs::WriteFile(temp_ / "bad.xml", PlanText(Dest() + "\\", {{"2006-05-01", {a, missing, b}}}));
  testfs::WriteFile(temp_ / "temp.xml", PlanText(Dest() + "\\", {{"x", {b}}}));
  testfs::WriteFile(temp_ / "cut.xml", "<Sheafkeeper desrootfolder=\"C:\\\">\r\n<desfolder name=\"x\">\r\n");
  testfs::WriteFile(temp_ / "empty.xml", PlanText(Dest() + "\\", {{"2006-05-01", {""}}, {"2006-05-01/x", {}}}));
  std::string skipped = PlanText(Dest() + "\\", {{"2006-05-01", {a}}, {"other", {b}}});
  skipped.insert(skipped.find("</Sheafkeeper>"), "<desfolder id=\"1\" name=\"2006-05-01\"><srcfilepath>" + b +
                                                     "</srcfilepath></desfolder>\r\n");
  testfs::WriteFile(temp_ / "skipped.xml", skipped);
  const std::string reason =
      AnsiForDisplay(FailureReason(CopyFailure{missing, Today(), FailedEntry{WideFromAnsi(missing), ERROR_FILE_NOT_FOUND}}));
  const std::string failed = "failed [" + missing + "]: " + reason + "\n";
  struct Case {
    std::string arguments;
    DWORD exitCode;
    std::string err;  // stderr up to its last line, which the summary takes when there is one
    int copied;
  } cases[] = {
      {"good.xml", 0, "counting the files...\nfiles to copy: 2\n2 / 2  b.txt\n", 2},
      {"--quiet good.xml", 0, "", 2},
      {"", 0, "counting the files...\nfiles to copy: 1\n1 / 1  b.txt\n", 1},  // temp.xml of the working folder
      {"bad.xml", 1, "counting the files...\nfiles to copy: 2\n1 / 2  a.txt\n" + failed, 1},
      {"bad.xml --quiet", 1, failed, 1},
      {"missing.xml", 3, "SheafkeeperRun: cannot read the plan file missing.xml\n", 0},
      {"cut.xml", 3, "SheafkeeperRun: cut.xml holds no plan\n", 0},
      {"empty.xml", 3, "SheafkeeperRun: empty.xml: nothing to copy\n", 0},
      {"skipped.xml", 1,
       "SheafkeeperRun: skipped the folder element <desfolder name=\"other\">\n"
       "SheafkeeperRun: skipped the folder element <desfolder id=\"1\" name=\"2006-05-01\">\n"
       "counting the files...\nfiles to copy: 1\n1 / 1  a.txt\n",
       1},
      {"--fast good.xml", 3, "SheafkeeperRun: unknown option --fast (see --help)\n", 0},
      {"good.xml bad.xml", 3, "SheafkeeperRun: more than one plan file: good.xml and bad.xml (see --help)\n", 0},
  };
  for (const Case& c : cases) {
    testfs::RemoveTree(Dest());
    RunnerOutput output = RunRunner(c.arguments, temp_.Path());
    EXPECT_EQ(output.exitCode, c.exitCode) << c.arguments;
    const bool summary = c.exitCode < 3 && c.arguments.find("--quiet") == std::string::npos;
    const std::size_t lastLine = output.err.rfind('\n', output.err.size() - 2) + 1;
    EXPECT_EQ(summary ? output.err.substr(0, lastLine) : output.err, c.err) << c.arguments;
    if (summary) {
      const std::string copied = "files copied: " + std::to_string(c.copied) + " of ";
      EXPECT_EQ(output.err.substr(lastLine, copied.size()), copied) << c.arguments;
    }
    EXPECT_EQ(output.out, "") << c.arguments;
    EXPECT_EQ(testfs::FilesIn(Dest()), c.copied) << c.arguments;
  }

  for (const char* option : {"--help", "/?", "-h"}) {
    RunnerOutput help = RunRunner(option, temp_.Path());
    EXPECT_EQ(help.exitCode, 0u) << option;
    EXPECT_EQ(help.out.substr(0, 43), "Usage: SheafkeeperRun.exe [options] [PLAN]\n") << option;
    EXPECT_EQ(help.err, "") << option;
  }
}

bool IsDateAndTime(const std::string& text) {
  const std::string form = "0000-00-00 00:00:00";
  if (text.size() < form.size()) return false;
  for (std::size_t i = 0; i < form.size(); ++i) {
    const bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
    if (form[i] == '0' ? !digit : text[i] != form[i]) return false;
  }
  return true;
}

// The scheduled command of the README: each run leaves a dated start and end line, and
// one line for each failure with its reason; a log that cannot be written changes nothing.
TEST_F(RunnerTest, TheLogDatesEachRunAndGivesEachFailureItsReason) {
  const std::string gone = temp_ / "gone";
  const std::vector<std::string> sources = {gone, Source("a.txt", "1"), gone + "2", Source("b", "")};
  testfs::WriteFile(temp_ / "bad.xml", PlanText(Dest() + "\\", {{"2006-05-01", sources}}));
  const std::string failed = "failed [" + gone + "] -> " + Today() + ": ";
  struct Case {
    std::string arguments;
    DWORD exitCode;
    int copied;
    std::vector<std::string> logged;  // how each line goes on after its date and time
  } cases[] = {
      {"--dry-run --quiet --log run.log bad.xml", 1, 0,
       {"start bad.xml with --dry-run --quiet --log run.log", failed, "failed [" + gone + "2]",
        "end failed (exit 1): files copied: 0 of 2, 0 bytes"}},
      {"--log run.log bad.xml", 1, 0, {"start", failed, "end failed (exit 1): files copied: 0 of 2, 0 bytes"}},
      {"--keep-going --quiet --log run.log bad.xml", 1, 2,
       {"start", failed, "failed [" + gone + "2]", "end failed (exit 1): files copied: 2 of 2, 1 bytes"}},
      {"--log run.log gone.xml", 3, 0, {"start gone.xml", "end plan unread (exit 3)"}},
      {"--log nofolder\\run.log bad.xml", 1, 0, {}},
  };
  for (const Case& c : cases) {
    testfs::RemoveTree(Dest());
    ::DeleteFileA((temp_ / "run.log").c_str());
    RunnerOutput output = RunRunner(c.arguments, temp_.Path());
    EXPECT_EQ(output.exitCode, c.exitCode) << c.arguments;
    EXPECT_EQ(testfs::FilesIn(Dest()), c.copied) << c.arguments;
    std::string log = testfs::ReadFile(temp_ / "run.log");
    if (log != "<missing>") {
      EXPECT_EQ(log.substr(0, 3), "\xEF\xBB\xBF") << "UTF-8 with a byte-order mark";
      log.erase(0, 3);
    }
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = log.find("\r\n", at)) != std::string::npos; at = end + 2) {
      lines.push_back(log.substr(at, end - at));
    }
    ASSERT_EQ(lines.size(), c.logged.size()) << c.arguments << "\n" << log;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_TRUE(IsDateAndTime(lines[i])) << lines[i];
      EXPECT_EQ(lines[i].substr(20, c.logged[i].size()), c.logged[i]) << c.arguments;
      if (c.logged[i] == failed) {
        EXPECT_GT(lines[i].size(), 20 + failed.size()) << "a reason follows";
      }
    }
    if (c.logged.size() > 1 && c.logged[1] == failed && c.arguments.find("--dry-run") == std::string::npos) {
      EXPECT_NE(output.err.find("failed [" + gone + "]: "), std::string::npos) << output.err;
    }
  }
  // A run killed before its end line is named when the next run starts.
  testfs::WriteFile(temp_ / "run.log", "\xEF\xBB\xBF" "2026-01-02 03:04:05 start bad.xml\r\n");
  RunRunner("--log run.log gone.xml", temp_.Path());
  EXPECT_NE(testfs::ReadFile(temp_ / "run.log").find("previous run started at 2026-01-02 03:04:05 did not finish"),
            std::string::npos);
  RunnerOutput keptGoing = RunRunner("--keep-going bad.xml", temp_.Path());
  EXPECT_NE(keptGoing.err.find(", failed entries: 2\n"), std::string::npos) << keptGoing.err;
  RunnerOutput unlogged = RunRunner("--quiet --log nofolder\\run.log bad.xml", temp_.Path());
  EXPECT_EQ(unlogged.err.substr(0, 60), "SheafkeeperRun: cannot write the log nofolder\\run.log; the r");
}

TEST_F(RunnerTest, ADryRunListsTheCountsAndCopiesNothing) {
  testfs::MakeFolder(temp_ / "docs");
  testfs::MakeFolder(temp_ / "docs\\sub");
  for (const char* name : {"docs\\1", "docs\\2", "docs\\Thumbs.db", "docs\\a.gz", "docs\\sub\\b.gz", "3"}) {
    Source(name, name);
  }
  const std::string typo = temp_ / "dosc";
  const std::vector<PlanFolder> folders = {{"2006-05-01", {temp_ / "docs", temp_ / "gone"}},
                                           {"2006-05-01/x", {temp_ / "3"}}};
  testfs::WriteFile(temp_ / "plan.xml", PlanText(Dest(), folders, {"thumbs.db", temp_ / "docs\\sub\\", "*.GZ", typo}));

  RunnerOutput output = RunRunner("--dry-run plan.xml", temp_.Path());
  EXPECT_EQ(output.exitCode, 1u);  // the run would fail on the missing source
  const std::string today = Dest() + DateFolderName();  // the root has no trailing backslash
  EXPECT_EQ(output.out, today + "\n         2  " + temp_ / "docs" + "\n         0  " + temp_ / "gone" + "\n" + today +
                            "/x\n         1  " + temp_ / "3" + "\nexcluded:\n         1  thumbs.db\n         1  " +
                            temp_ / "docs\\sub\\" + "\n         1  *.GZ\n         0  " + typo +
                            "  (matches nothing)\nfiles in all: 3\nfails: " + temp_ / "gone" + ": " +
                            AnsiForDisplay(FailureReason(CopyFailure{"", "", {L"", ERROR_FILE_NOT_FOUND}})) + "\n");
  EXPECT_EQ(output.err, "counting the files...\nfiles to copy: 3\n");
  EXPECT_FALSE(testfs::Exists(today));
}

// A tree as users' folders hold them: names outside the code page, twins that the code
// page would make one name, a path of over 300 characters, a name of 240, a loop through a
// link. The run copies every file under its own name and names the loop once; the dry run
// counts what the run copies.
TEST_F(RunnerTest, EveryFileOfARealFolderIsCopiedUnderItsOwnName) {
  const std::wstring src = testfs::Wide(temp_ / "src");
  std::wstring deep = src;
  testfs::MakeFolder(src);
  for (int level = 0; level < 30; ++level) testfs::MakeFolder(deep += L"\\folder" + std::to_wstring(level % 10) + L"xyz");
  testfs::WriteFile(deep + L"\\deep.txt", "deep");
  testfs::MakeFolder(src + L"\\\u00DCn\u00EFcode");
  for (const std::wstring& name : std::vector<std::wstring>{L"caf\u00E9.txt", L"cafe.txt", L"\U0001F600.txt", L"\uD55C\uAD6D\uC5B4.txt",
                                   L"\u8FD9\u4E2A.txt", L"\u00DCn\u00EFcode\\x", std::wstring(240, L'n')}) {
    testfs::WriteFile(src + L"\\" + name, testfs::Narrow(name));
  }
  ASSERT_TRUE(testfs::MakeUnixLink("..", temp_ / "src\\folder0xyz\\loop"));
  testfs::WriteFile(temp_ / "plan.xml", PlanText(Dest() + "\\", {{"2006-05-01", {temp_ / "src"}}}));

  RunnerOutput dryRun = RunRunner("--dry-run plan.xml", temp_.Path());
  EXPECT_EQ(dryRun.exitCode, 0u) << dryRun.out;
  EXPECT_NE(dryRun.out.find("files in all: 8\n"), std::string::npos) << dryRun.out;
  RunnerOutput run = RunRunner("plan.xml", temp_.Path());
  EXPECT_EQ(run.exitCode, 0u) << run.err;
  EXPECT_EQ(testfs::ListTree(Today() + "\\src"), testfs::ListTree(temp_ / "src", {"loop"}));
  EXPECT_NE(run.err.find("files to copy: 8\n"), std::string::npos) << run.err;
  const std::string loopNamed = "not followed (a link or a loop): " + temp_ / "src\\folder0xyz\\loop\n";
  EXPECT_EQ(run.err.find(loopNamed), run.err.rfind(loopNamed)) << run.err;
  EXPECT_NE(run.err.find(loopNamed), std::string::npos) << run.err;
}

// A file that another program holds open without sharing, among twenty in two folders: with
// keep-going every other file is copied and the log names the locked one with its reason;
// without it the run stops there; a file released during the retries is copied.
TEST_F(RunnerTest, ALockedFileIsRetriedAndKeepGoingCopiesEverythingElse) {
  for (const char* folder : {"src", "src\\a", "src\\b"}) testfs::MakeFolder(temp_ / folder);
  for (int i = 0; i < 20; ++i) Source(std::string(i < 10 ? "src\\a\\" : "src\\b\\") + std::to_string(i), "data");
  const std::string locked = temp_ / "src\\a\\5";
  testfs::WriteFile(temp_ / "plan.xml",
                    PlanText(Dest() + "\\", {{"2006-05-01", {temp_ / "src"}}, {"2006-05-01/later", {Source("z", "z")}}}));
  HANDLE lock = ::CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);

  RunnerOutput keptGoing = RunRunner("--keep-going --retries 1 --log run.log plan.xml", temp_.Path());
  EXPECT_EQ(keptGoing.exitCode, 1u);
  EXPECT_EQ(testfs::FilesIn(Today()), 20);  // 19 of src and the later folder's file
  EXPECT_EQ(keptGoing.err.find("in use by another program, trying again: " + locked + "\n") != std::string::npos, true)
      << keptGoing.err;
  const std::string log = testfs::ReadFile(temp_ / "run.log");
  EXPECT_NE(log.find("failed [" + temp_ / "src" + "] -> " + Today() + ": " + locked + ": "), std::string::npos) << log;
  EXPECT_NE(log.find("files copied: 20 of 21, 77 bytes, "), std::string::npos) << log;

  testfs::RemoveTree(Dest());
  EXPECT_EQ(RunRunner("--retries 0 plan.xml", temp_.Path()).exitCode, 1u);
  EXPECT_LT(testfs::FilesIn(Today()), 19);

  RunnerOutput released = RunRunner("--retry-wait 1 plan.xml", temp_.Path(), [&](const std::string& err) {
    if (lock != nullptr && err.find("trying again") != std::string::npos) ::CloseHandle(std::exchange(lock, nullptr));
  });
  EXPECT_EQ(released.exitCode, 0u) << released.err;
  EXPECT_EQ(testfs::FilesIn(Today()), 21);
  if (lock != nullptr) ::CloseHandle(lock);
}

// Folder names that would lead a run out of its root: the run and the dry run fail them
// and nothing changes anywhere around the root. A root on a missing drive fails the dry
// run; a root inside a source is a note, and the run leaves it out of the copy.
TEST_F(RunnerTest, UnsafePlansWriteNothingOutsideTheRootAndTheDryRunSaysWhy) {
  const std::string source = Source("c.txt", "data");
  const std::string root = temp_ / "a\\b\\inner\\";
  for (const std::string name : {"..", ".", "x.", "x ", "a*b", "a|b", "2006-05-01/..", "2006-05-01/\x01"}) {
    testfs::WriteFile(temp_ / "plan.xml", PlanText(root, {{name, {source}}, {name + "/" + name, {source}}}));
    const testfs::Listing before = testfs::ListTree(temp_.Path());
    RunnerOutput run = RunRunner("plan.xml", temp_.Path());
    EXPECT_EQ(run.exitCode, 1u) << name;
    EXPECT_NE(run.err.find("failed [" + source + "]: "), std::string::npos) << name << run.err;
    EXPECT_EQ(testfs::ListTree(temp_.Path()), before) << name;
    RunnerOutput dryRun = RunRunner("--dry-run plan.xml", temp_.Path());
    EXPECT_EQ(dryRun.exitCode, 1u) << name;
    EXPECT_NE(dryRun.out.find("fails: the folder "), std::string::npos) << name << dryRun.out;
  }

  testfs::WriteFile(temp_ / "plan.xml", PlanText("Q:\\backup\\", {{"2006-05-01", {source}}}));
  RunnerOutput missingDrive = RunRunner("--dry-run plan.xml", temp_.Path());
  EXPECT_EQ(missingDrive.exitCode, 1u);
  EXPECT_NE(missingDrive.out.find("fails: the drive or share of the destination root Q:\\backup\\ does not exist"),
            std::string::npos)
      << missingDrive.out;

  testfs::MakeFolder(temp_ / "self");
  Source("self\\kept.txt", "kept");
  testfs::WriteFile(temp_ / "plan.xml", PlanText(temp_ / "self\\bk\\", {{"2006-05-01", {temp_ / "self"}}}));
  RunnerOutput inside = RunRunner("--dry-run plan.xml", temp_.Path());
  EXPECT_EQ(inside.exitCode, 0u);
  EXPECT_NE(inside.out.find("note: the destination root lies inside " + temp_ / "self"), std::string::npos);
  EXPECT_EQ(RunRunner("--quiet plan.xml", temp_.Path()).exitCode, 0u);
  const testfs::Listing copied = testfs::ListTree(temp_ / "self\\bk\\" + DateFolderName());
  EXPECT_EQ(copied, (testfs::Listing{{"self\\", "<folder>"}, {"self\\kept.txt", testfs::ListTree(temp_ / "self")["kept.txt"]}}));
}

TEST_F(RunnerTest, CtrlCStopsTheRunAtTheNextEntry) {
  const int kFiles = 1500;
  testfs::MakeFolder(temp_ / "many");
  for (int i = 0; i < kFiles; ++i) Source("many\\" + std::to_string(i), "data");
  const std::string plan = temp_ / "plan.xml";
  testfs::WriteFile(plan, PlanText(Dest() + "\\", {{"2006-05-01", {temp_ / "many"}}}));

  int copiedAtPress = 0;
  EXPECT_EQ(RunPressingCtrlC(plan, [&] { return testfs::FilesIn(Today()) >= 10; }, copiedAtPress), kExitAborted);
  EXPECT_GE(copiedAtPress, 10);
  EXPECT_LE(testfs::FilesIn(Today()), copiedAtPress + 1);  // only the file being copied is finished
  EXPECT_LT(testfs::FilesIn(Today()), kFiles);

  // Closing the console stops the run the same way, and the log still gets its end line.
  testfs::RemoveTree(Today());
  EXPECT_EQ(RunPressingCtrlC(plan, [&] { return testfs::FilesIn(Today()) >= 10; }, copiedAtPress, CTRL_CLOSE_EVENT),
            kExitAborted);
  const std::string log = testfs::ReadFile(temp_ / "run.log");
  EXPECT_NE(log.find(" end stopped by the system (exit 2): "), std::string::npos) << log;
  EXPECT_FALSE(OnConsoleBreak(CTRL_CLOSE_EVENT));  // no run: the system's handling
}

// The copy, made in the file's temporary file, is removed: nothing of it is left.
TEST_F(RunnerTest, CtrlCDuringALargeFileEndsTheRunWithTwoAndLeavesNothingOfThatFile) {
  const std::string plan = temp_ / "plan.xml";
  testfs::WriteFile(plan, PlanText(Dest() + "\\", {{"2006-05-01", {Source("huge.bin", std::string(256 << 20, 'h')),
                                                                     Source("after.txt", "a")}}}));
  int copiedAtPress = 0;
  const std::string partial = Today() + "\\huge.bin.~sk-partial";
  EXPECT_EQ(RunPressingCtrlC(plan, [&] { return testfs::Exists(partial); }, copiedAtPress), kExitAborted);
  EXPECT_EQ(testfs::FilesIn(Today()), 0);
}

// A run killed while it copies a new 300 MB file leaves nothing under the file's name; the
// next run completes the file and removes what the killed one left.
TEST_F(RunnerTest, ARunKilledInALargeNewFileLeavesNoCutOffFileAndTheNextRunCompletesIt) {
  const std::string big = Source("big.bin", std::string(300 << 20, 'b'));
  testfs::WriteFile(temp_ / "plan.xml", PlanText(Dest() + "\\", {{"2006-05-01", {big}}}));
  const std::string copy = Today() + "\\big.bin";
  const std::string partial = copy + ".~sk-partial";
  {
    StartedRunner killed("--quiet plan.xml", temp_.Path());
    WIN32_FILE_ATTRIBUTE_DATA written{};
    for (int look = 0; look < 60000 && written.nFileSizeLow == 0; ++look) {
      ::GetFileAttributesExW(testfs::Wide(partial).c_str(), GetFileExInfoStandard, &written);
      ::Sleep(1);
    }
    killed.Kill();
  }
  EXPECT_FALSE(testfs::Exists(copy));
  EXPECT_TRUE(testfs::Exists(partial));

  EXPECT_EQ(RunRunner("--quiet plan.xml", temp_.Path()).exitCode, 0u);
  EXPECT_TRUE(testfs::ReadFile(copy) == testfs::ReadFile(big));
  EXPECT_EQ(testfs::FilesIn(Today()), 1);
}

// Overlapping scheduled tasks: two runs of one plan started together both copy it whole,
// into a new destination (folders made by both at once) and over the last copy (each
// replacing the same files), in eight pairs.
TEST_F(RunnerTest, TwoRunsOfOnePlanStartedTogetherBothSucceed) {
  std::string folder = temp_ / "src";
  for (int depth = 0; depth < 12; ++depth) {
    testfs::MakeFolder(folder);
    for (int i = 0; i < 3; ++i) {
      testfs::WriteFile(folder + "\\" + std::to_string(i) + ".txt", std::string(depth * 500 + i, 'x'));
    }
    folder += "\\sub";
  }
  testfs::WriteFile(temp_ / "plan.xml", PlanText(Dest() + "\\", {{"2006-05-01", {temp_ / "src"}}}));
  const testfs::Listing source = testfs::ListTree(temp_ / "src");
  for (int pair = 0; pair < 8; ++pair) {
    if (pair % 2 == 0) testfs::RemoveTree(Dest());
    StartedRunner first("--quiet plan.xml", temp_.Path(), "first");
    StartedRunner second("--quiet plan.xml", temp_.Path(), "second");
    const RunnerOutput outputs[] = {first.Finish(), second.Finish()};
    for (const RunnerOutput& output : outputs) EXPECT_EQ(output.exitCode, 0u) << "pair " << pair << ": " << output.err;
    EXPECT_EQ(testfs::ListTree(Today() + "\\src"), source) << "pair " << pair;
  }
}

// Day 1, then runs on day 2 that change the sources first; after each run the top folder
// equals the sources, its files are links to day 1 exactly where expected, and day 1
// keeps its files.
TEST_F(RunnerTest, ASnapshotRunLinksWhatIsUnchangedSinceThePreviousDayAndCopiesTheRest) {
  testfs::MakeFolder(temp_ / "src");
  testfs::MakeFolder(temp_ / "src\\sub");
  for (std::string name : {"same", "sub\\same", "changed", "touched", "deleted"}) {
    testfs::SetOldWriteTime(Source("src\\" + name, name));
  }
  testfs::WriteFile(temp_ / "plan.xml", PlanText(Dest() + "\\", {{"2006-05-01", {temp_ / "src"}}}));
  testfs::WriteFile(temp_ / "other.xml", PlanText(Dest() + "\\", {{"other", {temp_ / "src"}}}));
  const std::string day1 = Dest() + "\\2020-01-01";
  testfs::Listing day1Files;
  const std::string counting = "counting the files...\n";
  struct Case {
    std::function<void()> before;
    std::string arguments, top, errStart, summary;
    std::set<std::string> linked;
  } cases[] = {
      {[] {}, "--link-unchanged plan.xml", Today(),
       "no earlier dated snapshot beside " + Today() + ": nothing to link, files are copied\n" + counting,
       "files copied: 5 of 5, linked: 0, skipped: 0, 33 bytes written", {}},
      {[&] {
         ASSERT_TRUE(::MoveFileA(Today().c_str(), day1.c_str()));
         CopyTree(Dest() + "\\2019-01-01", day1 + "\\src", nullptr, nullptr, nullptr, nullptr);  // older
         CopyTree(Dest() + "\\2999-01-01", day1 + "\\src", nullptr, nullptr, nullptr, nullptr);  // later
         Source("dest\\2020-12-31", "a file");
         day1Files = testfs::ListTree(day1);
         testfs::SetOldWriteTime(Source("src\\changed", "changed!"));
         Source("src\\touched", "touched");
         Source("src\\added", "added");
         ::DeleteFileA((temp_ / "src\\deleted").c_str());
       },
       "--link-unchanged plan.xml", Today(), counting, "files copied: 3 of 5, linked: 2, skipped: 0, 20 bytes written",
       {"same", "sub\\same"}},
      {[] {}, "--skip-unchanged plan.xml", Today(), counting,
       "files copied: 0 of 5, linked: 0, skipped: 5, 0 bytes written", {"same", "sub\\same"}},
      {[&] { Source("src\\same", "new"); }, "--link-unchanged plan.xml", Today(), counting,
       "files copied: 1 of 5, linked: 0, skipped: 4, 3 bytes written", {"sub\\same"}},
      {[] {}, "--link-unchanged other.xml", Dest() + "\\other",
       Dest() + "\\other is not named by a date: nothing to link, files are copied\n" + counting,
       "files copied: 5 of 5, linked: 0, skipped: 0, 31 bytes written", {}},
  };
  for (const Case& c : cases) {
    c.before();
    const RunnerOutput output = RunRunner(c.arguments, temp_.Path());
    EXPECT_EQ(output.exitCode, 0u) << c.arguments;
    EXPECT_EQ(output.err.substr(0, c.errStart.size()), c.errStart) << c.arguments;
    EXPECT_NE(output.err.find("\n" + c.summary + ", in "), std::string::npos) << output.err;
    const testfs::Listing copy = testfs::ListTree(c.top + "\\src");
    EXPECT_EQ(copy, testfs::ListTree(temp_ / "src")) << c.arguments;
    for (const auto& file : copy) {
      if (file.second == "<folder>") continue;
      const auto identity = testfs::FileIdentity(c.top + "\\src\\" + file.first);
      const bool linked = c.linked.count(file.first) == 1;
      EXPECT_EQ(identity == testfs::FileIdentity(day1 + "\\src\\" + file.first), linked)
          << c.arguments << " " << file.first;
      EXPECT_EQ(identity.second, linked ? 2u : 1u) << c.arguments << " " << file.first;
    }
    EXPECT_EQ(testfs::ListTree(day1), day1Files) << c.arguments;
  }
}

// The previous day lies on another file system (a tmpfs), reached through a symbolic
// link beside today's folder; the link fails and the file is copied.
TEST_F(RunnerTest, AFileThatCannotBeLinkedIsCopied) {
  const std::string other = "Z:\\dev\\shm\\sheaf-test-" + std::to_string(::GetCurrentProcessId());
  testfs::MakeFolder(other);
  if (!testfs::IsFolder(other)) GTEST_SKIP() << "no tmpfs at /dev/shm";
  testfs::SetOldWriteTime(Source("a.txt", "a"));
  testfs::WriteFile(temp_ / "day1.xml", PlanText(other + "\\", {{"2006-05-01", {temp_ / "a.txt"}}}));
  testfs::WriteFile(temp_ / "day2.xml", PlanText(Dest() + "\\", {{"2006-05-01", {temp_ / "a.txt"}}}));
  ASSERT_EQ(RunRunner("day1.xml", temp_.Path()).exitCode, 0u);
  testfs::MakeFolder(Dest());
  const std::string day1 = Dest() + "\\2020-01-01";
  if (!RunOnLinux("/bin/ln -s", other + "\\" + DateFolderName(), day1)) GTEST_SKIP() << "not under Wine";
  for (int attempt = 0; attempt < 500 && !testfs::Exists(day1 + "\\a.txt"); ++attempt) ::Sleep(10);
  const bool linkFails = !::CreateHardLinkA((temp_ / "probe").c_str(), (day1 + "\\a.txt").c_str(), nullptr);

  if (linkFails) {
    const RunnerOutput output = RunRunner("--link-unchanged day2.xml", temp_.Path());
    EXPECT_EQ(output.exitCode, 0u);
    EXPECT_EQ(output.err.substr(0, 22), "counting the files...\n");  // the previous day was found
    EXPECT_NE(output.err.find("\nfiles copied: 1 of 1, linked: 0, skipped: 0, 1 bytes written"), std::string::npos)
        << output.err;
    EXPECT_EQ(testfs::ListTree(Today()), testfs::ListTree(day1));
    EXPECT_EQ(testfs::FileIdentity(Today() + "\\a.txt").second, 1u);
  }
  RunOnLinux("/bin/rm -rf", other, day1);
  for (int attempt = 0; attempt < 500 && testfs::Exists(day1); ++attempt) ::Sleep(10);
  if (!linkFails) GTEST_SKIP() << "/dev/shm and the temporary folder share one file system";
}

// --keep after runs that end each way, among dated folders (one of them linked from a newer
// day, one holding a read-only file and a name only a long path reaches), folders whose
// names are no dates and a file named by a date; then a removal that fails.
TEST_F(RunnerTest, KeepRemovesTheOldestDatedFoldersAfterAGoodRunOnly) {
  testfs::WriteFile(temp_ / "good.xml", PlanText(Dest() + "\\", {{"2006-05-01", {Source("a.txt", "a")}}}));
  testfs::WriteFile(temp_ / "bad.xml", PlanText(Dest() + "\\", {{"2006-05-01", {temp_ / "gone"}}}));
  const std::vector<std::string> days = {"2020-01-01", "2020-01-02", "2020-01-03"};
  const std::vector<std::string> others = {"photos", "2020-13-01", "2020-1-4", "2019-01-01"};
  auto makeFolders = [&] {
    testfs::RemoveTree(Dest());
    testfs::MakeFolder(Dest());
    for (const std::string& name : {days[0], days[1], days[2], others[0], others[1], others[2]}) {
      testfs::MakeFolder(Dest() + "\\" + name);
    }
    Source("dest\\2019-01-01", "a file");
    Source("dest\\2020-01-01\\old", "linked");
    const std::string linked = Dest() + "\\2020-01-03\\old";
    ASSERT_TRUE(::CreateHardLinkA(linked.c_str(), (Dest() + "\\2020-01-01\\old").c_str(), nullptr));
    ::SetFileAttributesA(Source("dest\\2020-01-01\\read-only", "r").c_str(), FILE_ATTRIBUTE_READONLY);
    testfs::WriteFile(Dest() + "\\2020-01-02\\trailing dot.", "x");
  };
  struct Case {
    std::string arguments;
    DWORD exitCode;
    std::vector<std::string> removed;  // or listed by a dry run
  } cases[] = {
      {"--keep 3 --log run.log good.xml", 0, {days[0]}},
      {"--keep 1 --dry-run good.xml", 0, days},
      {"--keep 1 bad.xml", 1, {}},
      {"--keep 1 good.xml", 0, days},
      {"--keep 0 good.xml", 3, {}},
  };
  for (const Case& c : cases) {
    makeFolders();
    const RunnerOutput output = RunRunner(c.arguments, temp_.Path());
    EXPECT_EQ(output.exitCode, c.exitCode) << c.arguments << output.err;
    const bool dryRun = c.arguments.find("--dry-run") != std::string::npos;
    std::string lines;
    for (const std::string& day : c.removed) {
      lines += (dryRun ? "would remove: " : "removed ") + Dest() + "\\" + day + "\n";
    }
    EXPECT_NE((dryRun ? output.out : output.err).find(lines), std::string::npos) << c.arguments << output.err;
    for (const std::string& day : days) {
      const bool removed = !dryRun && std::count(c.removed.begin(), c.removed.end(), day) == 1;
      EXPECT_EQ(testfs::IsFolder(Dest() + "\\" + day), !removed) << c.arguments << " " << day;
    }
    for (const std::string& name : others) EXPECT_TRUE(testfs::Exists(Dest() + "\\" + name)) << c.arguments;
    EXPECT_EQ(testfs::IsFolder(Today()), c.exitCode == 0 && !dryRun) << c.arguments;
  }
  EXPECT_NE(testfs::ReadFile(temp_ / "run.log").find(" removed " + Dest() + "\\2020-01-01\r\n"), std::string::npos);

  // The newer day keeps the data it shared; a file open without shared deletion stops the removing.
  makeFolders();
  ASSERT_EQ(RunRunner("--keep 3 good.xml", temp_.Path()).exitCode, 0u);
  EXPECT_EQ(testfs::ReadFile(Dest() + "\\2020-01-03\\old"), "linked");
  EXPECT_EQ(testfs::FileIdentity(Dest() + "\\2020-01-03\\old").second, 1u);
  const std::string openFile = Dest() + "\\2020-01-02\\open";
  HANDLE open = ::CreateFileA(openFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  const RunnerOutput failed = RunRunner("--keep 1 good.xml", temp_.Path());
  ::CloseHandle(open);
  EXPECT_EQ(failed.exitCode, 1u);
  EXPECT_NE(failed.err.find("SheafkeeperRun: cannot remove " + Dest() + "\\2020-01-02: " + Dest() + "\\2020-01-02\\"),
            std::string::npos) << failed.err;
  EXPECT_TRUE(testfs::IsFolder(Dest() + "\\2020-01-03"));
}

}  // namespace
