// The copy run against a recording view, on real files.
#include "copy/CopyRun.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "TreeListing.h"
#include "copy/TreeCopy.h"
#include "copy/WideText.h"

namespace {

using Events = std::vector<std::string>;

// Walked in this order (buckets 0, 1, 6).
const char kOld[] = "2006-05-01/docs/old";
const char kTop[] = "2006-05-01";
const char kDocs[] = "2006-05-01/docs";

const char kAborted[] = "aborted";

// Records what the run shows. Asks for an abort at a given pump, at the first pump after
// a given number of files has been shown, or at a given pump while a large file is being
// copied, as a click on an abort button would.
class RecordingView : public ICopyRunView {
 public:
  void BeginCopyMode() override { events.push_back("begin"); }
  void ShowCounting() override { events.push_back("counting"); }
  void SetProgressRange(long total) override { events.push_back("range " + std::to_string(total)); }
  void OnFileCopyStarting(const char* fileName) override {
    events.push_back(std::string("starting ") + fileName);
    copying = true;
    WakeTheWait();
  }
  void OnFileCopied(const char* fileName) override {
    events.push_back(std::string("file ") + fileName);
    copying = false;
    if (++files == abortAfterFiles) clicked = true;
  }
  bool PumpMessagesAndReadAbort() override {
    if (recordPumps) events.push_back("pump");
    if (copying && ++pumpsWhileCopying == abortAtPumpWhileCopying) clicked = true;
    if (copying && pumpsWhileCopying < 3) WakeTheWait();
    if (++pumps == abortAtPump || clicked) aborted = true;
    return aborted;
  }
  // Leaves one new message in the queue, so that the run's wait for a copy pumps again at
  // once rather than after its time slice.
  static void WakeTheWait() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    ::PostThreadMessageA(::GetCurrentThreadId(), WM_NULL, 0, 0);
  }
  void ShowAborted() override { events.push_back(kAborted); }
  void ShowFailure(const CopyFailure& failure) override {
    events.push_back("failed " + AnsiForDisplay(failure.entry.path) + " " + std::to_string(failure.entry.error));
  }
  void EndCopyMode() override { events.push_back("end"); }

  Events events;
  bool recordPumps = false;
  bool copying = false;
  int pumps = 0;
  int pumpsWhileCopying = 0;
  int abortAtPumpWhileCopying = 0;
  int files = 0;
  int abortAtPump = 0;
  int abortAfterFiles = 0;
  bool clicked = false;
  bool aborted = false;
};

class CopyRunTest : public testing::Test {
 protected:
  // Source folder s: a file Thumbs.db and a folder sub with the files c.txt and Thumbs.db.
  // (The order of a listing is the file system's, so one file is copied from it.)
  std::string MakeSourceFolder() {
    testfs::MakeFolder(temp_ / "s");
    testfs::MakeFolder(temp_ / "s\\sub");
    for (const char* name : {"s\\Thumbs.db", "s\\sub\\c.txt", "s\\sub\\Thumbs.db"}) {
      testfs::WriteFile(temp_ / name, name);
    }
    return temp_ / "s";
  }
  std::string MakeFile(const std::string& name, const std::string& contents) {
    testfs::WriteFile(temp_ / name, contents);
    return temp_ / name;
  }
  // A run over the plan with the pump interval of the count at 0, so that every chance
  // to pump is taken.
  CopyRunResult Run(const std::string& root, const std::vector<std::string>& exclusions = {}) {
    run_ = std::make_unique<CCopyRun>(plan_, root, exclusions, view_, std::chrono::milliseconds(0));
    return run_->Run();
  }

  testfs::TempFolder temp_;
  CFolderMap plan_;
  RecordingView view_;
  std::unique_ptr<CCopyRun> run_;
};

TEST_F(CopyRunTest, AnEmptyPlanPumpsBeforeEachFolderAndPathAndEndsSilently) {
  plan_.SetEmpty(kTop);
  plan_.GetOrCreate(kDocs) = {"", ""};  // cleared entries

  EXPECT_EQ(Run(temp_ / "out\\"), CopyRunResult::kCompleted);
  view_.recordPumps = true;
  Run(temp_ / "out\\");
  EXPECT_EQ(view_.events, (Events{"begin", "counting", "range 0", "end",  // the first run, without pumps
                                  "begin", "counting", "pump", "pump", "range 0",
                                  "pump",                  // before 2006-05-01, which has no source list
                                  "pump", "pump", "pump",  // before 2006-05-01/docs and each of its paths
                                  "end"}));
  EXPECT_FALSE(testfs::Exists(temp_ / "out"));
}

TEST_F(CopyRunTest, CopiesEveryPathInWalkOrderIntoTheRootFollowedByTheKey) {
  const std::string folder = MakeSourceFolder();
  plan_.GetOrCreate(kTop) = {MakeFile("top.txt", "12345")};
  plan_.GetOrCreate(kDocs) = {"", folder};
  plan_.GetOrCreate(kOld) = {MakeFile("old.txt", "1")};
  const std::vector<std::string> exclusions = {"THUMBS.DB"};

  struct Case {
    std::string root;
    std::string top;  // the folder that kTop stands for
  } cases[] = {
      {temp_ / "backup\\", temp_ / "backup\\2006-05-01"},
      {temp_ / "backup", temp_ / "backup2006-05-01"},  // no separator is added
  };
  for (const Case& c : cases) {
    view_.events.clear();
    EXPECT_EQ(Run(c.root, exclusions), CopyRunResult::kCompleted) << c.root;
    EXPECT_EQ(view_.events,
              (Events{"begin", "counting", "range 3", "file old.txt", "file top.txt", "file c.txt", "end"}));
    EXPECT_EQ(testfs::ReadFile(c.top + "\\docs\\old\\old.txt"), "1");
    EXPECT_EQ(testfs::ReadFile(c.top + "\\top.txt"), "12345");
    EXPECT_EQ(testfs::ReadFile(c.top + "\\docs\\s\\sub\\c.txt"), "s\\sub\\c.txt");
    EXPECT_FALSE(testfs::Exists(c.top + "\\docs\\s\\Thumbs.db"));
    EXPECT_FALSE(testfs::Exists(c.top + "\\docs\\s\\sub\\Thumbs.db"));
    EXPECT_EQ(run_->Total(), 3);
    EXPECT_EQ(run_->FilesCopied(), 3);
    EXPECT_EQ(run_->BytesCopied(), 1u + 5u + 11u);
  }
}

// A source the count cannot find is what the run would fail on.
TEST_F(CopyRunTest, CountOnlyListsEachFolderWithItsPathsAndCopiesNothing) {
  const std::string folder = MakeSourceFolder();
  plan_.SetEmpty(kTop);
  plan_.GetOrCreate(kDocs) = {folder, "", temp_ / "missing"};
  run_ = std::make_unique<CCopyRun>(plan_, temp_ / "out\\", std::vector<std::string>{"thumbs.db"}, view_);

  EXPECT_EQ(run_->CountOnly(), CopyRunResult::kFailed);
  ASSERT_EQ(run_->Failures().size(), 1u);
  EXPECT_EQ(run_->Failures()[0].source, temp_ / "missing");
  EXPECT_EQ(run_->Failures()[0].destination, temp_ / "out\\2006-05-01/docs");
  EXPECT_EQ(view_.events, (Events{"begin", "counting", "range 1", "end"}));
  ASSERT_EQ(run_->CountedFolders().size(), 2u);
  EXPECT_EQ(run_->CountedFolders()[0].destination, temp_ / "out\\2006-05-01");
  EXPECT_TRUE(run_->CountedFolders()[0].sources.empty());
  EXPECT_EQ(run_->CountedFolders()[1].destination, temp_ / "out\\2006-05-01/docs");
  using Counts = std::vector<std::pair<std::string, int>>;
  EXPECT_EQ(run_->CountedFolders()[1].sources, (Counts{{folder, 1}, {temp_ / "missing", 0}}));
  EXPECT_FALSE(testfs::Exists(temp_ / "out"));
}

TEST_F(CopyRunTest, AFailedPathIsNamedAsStoredAndNothingAfterItIsCopied) {
  const std::string stored = temp_.Path() + "/gone\\";
  plan_.GetOrCreate(kOld) = {MakeFile("first.txt", "1")};
  plan_.GetOrCreate(kTop) = {MakeFile("second.txt", "2"), stored, MakeFile("third.txt", "3")};
  plan_.GetOrCreate(kDocs) = {MakeFile("fourth.txt", "4")};

  EXPECT_EQ(Run(temp_ / "out\\"), CopyRunResult::kFailed);
  EXPECT_EQ(view_.events, (Events{"begin", "counting", "range 4", "file first.txt", "file second.txt",
                                  "failed " + stored + " 2", "end"}));
  ASSERT_EQ(run_->Failures().size(), 1u);
  EXPECT_EQ(run_->Failures()[0].source, stored);
  EXPECT_EQ(run_->Failures()[0].destination, temp_ / "out\\2006-05-01");
  EXPECT_FALSE(testfs::Exists(temp_ / "out\\2006-05-01\\third.txt"));
  EXPECT_FALSE(testfs::Exists(temp_ / "out\\2006-05-01\\docs\\fourth.txt"));
}

// The failing entry is the destination folder (below a file) or a file deep in a folder
// source (its target is a folder); the run then goes on to copy the last path.
TEST_F(CopyRunTest, KeepingGoingCopiesEveryOtherPathAndNamesTheEntryThatFailed) {
  const std::string folder = MakeSourceFolder();
  MakeFolderPath(temp_ / "out\\2006-05-01\\s\\sub\\c.txt");
  MakeFile("out\\2006-05-01\\docs", "a file where a folder belongs");
  plan_.GetOrCreate(kOld) = {MakeFile("first.txt", "1")};
  plan_.GetOrCreate(kTop) = {folder, MakeFile("second.txt", "2")};
  run_ = std::make_unique<CCopyRun>(plan_, temp_ / "out\\", std::vector<std::string>{"thumbs.db"}, view_);
  run_->KeepGoingPastFailures();

  EXPECT_EQ(run_->Run(), CopyRunResult::kFailed);
  ASSERT_EQ(run_->Failures().size(), 2u);
  EXPECT_EQ(run_->Failures()[0].entry.path, WideFromAnsi(temp_ / "out\\2006-05-01\\docs\\old"));
  EXPECT_EQ(run_->Failures()[1].source, folder);
  const std::wstring deepFile = WideFromAnsi(folder + "\\sub\\c.txt");
  EXPECT_EQ(run_->Failures()[1].entry.path, deepFile);
  const std::wstring reason = FailureReason(run_->Failures()[1]);
  EXPECT_EQ(reason.substr(0, deepFile.size() + 2), deepFile + L": ");
  EXPECT_GT(reason.size(), deepFile.size() + 2);  // the system's text follows
  EXPECT_EQ(testfs::ReadFile(temp_ / "out\\2006-05-01\\second.txt"), "2");
  EXPECT_EQ(view_.events.back(), "end");
}

TEST_F(CopyRunTest, AnAbortStopsAtTheNextEntryWhereverItComes) {
  // Six files: one in each of the first two folders, then a file and a folder of three
  // files, the last path in walk order.
  plan_.GetOrCreate(kOld) = {MakeFile("old.txt", "1")};
  plan_.GetOrCreate(kTop) = {MakeFile("top.txt", "2")};
  testfs::MakeFolder(temp_ / "three");
  for (const char* name : {"three\\1", "three\\2", "three\\3"}) MakeFile(name, name);
  plan_.GetOrCreate(kDocs) = {MakeFile("first.txt", "3"), temp_ / "three"};
  struct Case {
    const char* when;
    int abortAtPump;
    int abortAfterFiles;
    int counted;
    int copied;
  } cases[] = {
      {"before the count", 1, 0, 0, 0},
      {"inside the count of the folder", 8, 0, 4, 0},  // pumps 1 to 7 come before its first file
      {"before a folder", 0, 1, 6, 1},
      {"before a path", 0, 3, 6, 3},
      {"during the last path", 0, 4, 6, 5},  // noticed after the folder's second file
  };
  for (const Case& c : cases) {
    testfs::RemoveTree(temp_ / "out");
    view_ = RecordingView();
    view_.abortAtPump = c.abortAtPump;
    view_.abortAfterFiles = c.abortAfterFiles;

    EXPECT_EQ(Run(temp_ / "out\\"), CopyRunResult::kAborted) << c.when;
    Events shown;
    for (const std::string& event : view_.events) {
      if (event.compare(0, 5, "file ") != 0) shown.push_back(event);
    }
    EXPECT_EQ(shown, (Events{"begin", "counting", "range " + std::to_string(c.counted), kAborted, "end"})) << c.when;
    EXPECT_EQ(view_.files, c.copied) << c.when;
    EXPECT_EQ(run_->FilesCopied(), c.copied) << c.when;
    int filesAtDestination = 0;
    for (const auto& entry : testfs::ListTree(temp_ / "out")) filesAtDestination += entry.second != "<folder>";
    EXPECT_EQ(filesAtDestination, c.copied) << c.when;
  }
}

TEST_F(CopyRunTest, ALargeFileIsNamedBeforeItsCopyAndAnAbortDuringItStopsTheRunAfterIt) {
  const std::string huge(64 << 20, 'h');  // above the size copied on a worker thread
  plan_.GetOrCreate(kTop) = {MakeFile("huge.bin", huge), MakeFile("after.txt", "a")};
  const std::string copied = temp_ / "out\\2006-05-01\\huge.bin";
  for (int abortAt : {0, 2}) {
    testfs::RemoveTree(temp_ / "out");
    view_ = RecordingView();
    view_.abortAtPumpWhileCopying = abortAt;

    EXPECT_EQ(Run(temp_ / "out\\"), abortAt ? CopyRunResult::kAborted : CopyRunResult::kCompleted);
    EXPECT_GE(view_.pumpsWhileCopying, 2) << abortAt;
    Events expected = {"begin", "counting", "range 2", "starting huge.bin"};
    // Where the platform heeds the cancel flag the file is not finished.
    if (!abortAt || testfs::Exists(copied)) expected.push_back("file huge.bin");
    if (!abortAt) expected.push_back("file after.txt");
    if (abortAt) expected.push_back(kAborted);
    expected.push_back("end");
    EXPECT_EQ(view_.events, expected) << abortAt;
    if (testfs::Exists(copied)) {
      EXPECT_TRUE(testfs::ReadFile(copied) == huge) << abortAt;
    }
    EXPECT_EQ(testfs::Exists(temp_ / "out\\2006-05-01\\after.txt"), !abortAt) << abortAt;
  }
}

}  // namespace
