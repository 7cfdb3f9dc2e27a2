#include "copy/TreeCopy.h"

#include <windows.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "NextHandle.h"
#include "TempFolder.h"
#include "TreeListing.h"
#include "copy/EntryLookup.h"
#include "copy/WideText.h"

namespace {

using Names = std::vector<std::string>;

// Collects the names the copy reports; sets *abortAfterFirst to 1 after the first one.
struct Recorder {
  Names names;
  int* abortAfterFirst = nullptr;

  static void Record(void* context, const char* name) {
    Recorder* self = static_cast<Recorder*>(context);
    self->names.push_back(name);
    if (self->abortAfterFirst != nullptr) *self->abortAfterFirst = 1;
  }
  Names Sorted() const {
    Names sorted = names;
    std::sort(sorted.begin(), sorted.end());
    return sorted;
  }
};

class TreeCopyTest : public testing::Test {
 protected:
  // Source folder a: files x and y, folder s with file z, empty folder e.
  void MakeTreeA() {
    testfs::MakeFolder(temp_ / "a");
    testfs::WriteFile(temp_ / "a\\x", "X");
    testfs::WriteFile(temp_ / "a\\y", "Y");
    testfs::MakeFolder(temp_ / "a\\s");
    testfs::WriteFile(temp_ / "a\\s\\z", "Z");
    testfs::MakeFolder(temp_ / "a\\e");
  }
  // File b.txt ("new") and an older out\b.txt ("kept"); returns the path of the latter.
  std::string MakeFileAndTarget() {
    testfs::WriteFile(temp_ / "b.txt", "new");
    testfs::MakeFolder(temp_ / "out");
    testfs::WriteFile(temp_ / "out\\b.txt", "kept");
    return temp_ / "out\\b.txt";
  }
  int Copy(const std::string& destination, const std::string& source,
           const Names* exclusions = nullptr, const int* abortFlag = nullptr) {
    return CopyTree(destination, source, exclusions, abortFlag, Recorder::Record, &recorder_);
  }

  testfs::TempFolder temp_;
  Recorder recorder_;
};

TEST_F(TreeCopyTest, CopiesAFileIntoADestinationItCreates) {
  testfs::MakeFolder(temp_ / "src");
  testfs::WriteFile(temp_ / "src\\b.txt", "contents");
  const std::string destination = temp_ / "backup\\2006-05-12";

  EXPECT_EQ(CountFiles(temp_ / "src\\b.txt", nullptr), 1);
  EXPECT_EQ(Copy(destination, temp_ / "src\\b.txt"), 1);
  EXPECT_EQ(testfs::ReadFile(destination + "\\b.txt"), "contents");
  EXPECT_EQ(recorder_.names, Names{"b.txt"});
}

TEST_F(TreeCopyTest, CopiesAFolderWithItsLayoutWhateverTheSeparators) {
  MakeTreeA();
  std::string slashed = temp_.Path() + "/a/";
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  for (const std::string& source : {temp_ / "a", slashed + "/"}) {
    const std::string destination = temp_ / "out/docs\\\\";
    testfs::RemoveTree(temp_ / "out");
    recorder_.names.clear();

    EXPECT_EQ(CountFiles(source, nullptr), 3) << source;
    EXPECT_EQ(Copy(destination, source), 1) << source;
    EXPECT_EQ(recorder_.Sorted(), (Names{"x", "y", "z"}));
    EXPECT_EQ(testfs::ReadFile(temp_ / "out\\docs\\a\\x"), "X");
    EXPECT_EQ(testfs::ReadFile(temp_ / "out\\docs\\a\\y"), "Y");
    EXPECT_EQ(testfs::ReadFile(temp_ / "out\\docs\\a\\s\\z"), "Z");
    EXPECT_TRUE(testfs::IsFolder(temp_ / "out\\docs\\a\\e"));
  }
}

TEST_F(TreeCopyTest, ReplacesATargetKeepingTheLastWriteTime) {
  const std::string target = MakeFileAndTarget();
  HANDLE file = CreateFileA((temp_ / "b.txt").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  const FILETIME written = {0x12345600, 0x01C66CE4};  // a day in May 2006
  SetFileTime(file, nullptr, nullptr, &written);
  CloseHandle(file);

  EXPECT_EQ(Copy(temp_ / "out", temp_ / "b.txt"), 1);
  EXPECT_EQ(testfs::ReadFile(target), "new");
  WIN32_FILE_ATTRIBUTE_DATA copied;
  GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &copied);
  EXPECT_EQ(CompareFileTime(&copied.ftLastWriteTime, &written), 0);
}

TEST_F(TreeCopyTest, ATargetInUseFailsTheCopy) {
  const std::string target = MakeFileAndTarget();
  HANDLE inUse = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(Copy(temp_ / "out", temp_ / "b.txt"), 0);
  CloseHandle(inUse);
  EXPECT_EQ(testfs::ReadFile(target), "kept");
}

TEST_F(TreeCopyTest, ExclusionsMatchBareNamesInAnyAsciiCase) {
  MakeTreeA();
  const Names subfolder = {"S"};
  EXPECT_EQ(CountFiles(temp_ / "a", &subfolder), 2);
  EXPECT_EQ(Copy(temp_ / "out1", temp_ / "a", &subfolder), 1);
  EXPECT_EQ(recorder_.Sorted(), (Names{"x", "y"}));
  EXPECT_FALSE(testfs::Exists(temp_ / "out1\\a\\s"));

  // The source's own name: nothing copied, but the destination folder is made.
  const Names own = {"nothing", "A"};
  EXPECT_EQ(CountFiles(temp_ / "a", &own), 0);
  EXPECT_EQ(Copy(temp_ / "out2", temp_ / "a", &own), 1);
  EXPECT_TRUE(testfs::IsFolder(temp_ / "out2"));
  EXPECT_FALSE(testfs::Exists(temp_ / "out2\\a"));

  // A full path names that one entry; a relative path names nothing.
  const Names withFolderPart = {temp_ / "a\\x", "s\\z"};
  EXPECT_EQ(CountFiles(temp_ / "a", &withFolderPart), 2);

  EXPECT_EQ(IsExcludedName(&own, "a"), 1);
  EXPECT_EQ(IsExcludedName(&own, "NOTHING"), 1);
  EXPECT_EQ(IsExcludedName(&own, "a.txt"), 0);
  const Names fullWidth = {"\x82\x60"};  // full-width A is not folded onto full-width a
  EXPECT_EQ(IsExcludedName(&fullWidth, "\x82\x81"), 0);
  const Names katakanaA = {"\x83\x41.txt"};  // ア.txt keeps no ヂ.txt out: 0x41 there is no letter
  EXPECT_EQ(IsExcludedName(&katakanaA, "\x83\x61.txt"), 0);
  EXPECT_EQ(IsExcludedName(&katakanaA, "\x83\x41.TXT"), 1);
}

TEST_F(TreeCopyTest, AbortFlagIsReadBeforeEachEntryAtEveryDepth) {
  MakeTreeA();
  int abort = 1;
  EXPECT_EQ(Copy(temp_ / "out1", temp_ / "a", nullptr, &abort), 1);
  EXPECT_TRUE(testfs::IsFolder(temp_ / "out1\\a"));
  EXPECT_FALSE(testfs::Exists(temp_ / "out1\\a\\s"));

  // A single file is copied all the same.
  EXPECT_EQ(Copy(temp_ / "out2", temp_ / "a\\x", nullptr, &abort), 1);
  EXPECT_EQ(recorder_.names, Names{"x"});

  // Set by the callback after the first file, which lies two levels down.
  testfs::MakeFolder(temp_ / "p");
  testfs::MakeFolder(temp_ / "p\\q");
  testfs::WriteFile(temp_ / "p\\q\\1", "");
  testfs::WriteFile(temp_ / "p\\q\\2", "");
  abort = 0;
  recorder_.names.clear();
  recorder_.abortAfterFirst = &abort;
  EXPECT_EQ(Copy(temp_ / "out3", temp_ / "p", nullptr, &abort), 1);
  EXPECT_EQ(recorder_.names.size(), 1u);

  // Only exactly 1 stops the copy.
  abort = 2;
  recorder_.names.clear();
  recorder_.abortAfterFirst = nullptr;
  EXPECT_EQ(Copy(temp_ / "out4", temp_ / "a", nullptr, &abort), 1);
  EXPECT_EQ(recorder_.names.size(), 3u);
}

TEST_F(TreeCopyTest, SourceMustBeExactlyOneExistingEntry) {
  testfs::MakeFolder(temp_ / "a");
  testfs::WriteFile(temp_ / "a\\one.txt", "1");
  testfs::WriteFile(temp_ / "a\\other.dat", "2");
  EXPECT_EQ(CountFiles(temp_ / "a\\*.txt", nullptr), 1);
  EXPECT_EQ(Copy(temp_ / "out1", temp_ / "a\\*.txt"), 1);
  EXPECT_EQ(testfs::ReadFile(temp_ / "out1\\one.txt"), "1");

  testfs::WriteFile(temp_ / "a\\two.txt", "2");
  for (const std::string& source : {temp_ / "a\\*.txt", temp_ / "missing"}) {
    EXPECT_EQ(CountFiles(source, nullptr), 0) << source;
    EXPECT_EQ(Copy(temp_ / "out2", source), 0) << source;
    EXPECT_FALSE(testfs::Exists(temp_ / "out2")) << source;
  }
}

TEST_F(TreeCopyTest, AFailureEndsTheWholeSourcePath) {
  MakeTreeA();
  testfs::WriteFile(temp_ / "blocker", "");
  EXPECT_EQ(MakeFolderPath(temp_ / "blocker"), 1);
  EXPECT_EQ(Copy(temp_ / "blocker", temp_ / "a"), 0);
}

TEST_F(TreeCopyTest, SecondByteBackslashIsNeverASeparator) {
  const std::string so = "\x83\x5C", hyo = "\x95\x5C";  // both end in the byte of '\\'
  testfs::MakeFolder(temp_ / so + hyo);
  testfs::WriteFile(temp_ / so + hyo + "\\" + hyo + ".txt", "1");
  testfs::MakeFolder(temp_ / so + hyo + "\\" + so);
  testfs::WriteFile(temp_ / so + hyo + "\\" + so + "\\z", "2");
  const std::string source = temp_ / so + hyo + "\\";
  const std::string destination = temp_ / hyo + "\\" + so + "/";

  EXPECT_EQ(CountFiles(source, nullptr), 2);
  EXPECT_EQ(Copy(destination, source), 1);
  EXPECT_EQ(recorder_.Sorted(), (Names{"z", hyo + ".txt"}));
  const std::string copied = temp_ / hyo + "\\" + so + "\\" + so + hyo;
  EXPECT_EQ(testfs::ReadFile(copied + "\\" + hyo + ".txt"), "1");
  EXPECT_EQ(testfs::ReadFile(copied + "\\" + so + "\\z"), "2");
}

TEST_F(TreeCopyTest, MakeFolderPathNeedsABackslashToClimb) {
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(temp_.Path().c_str());
  EXPECT_EQ(MakeFolderPath("loose"), 0);
  EXPECT_EQ(MakeFolderPath("loose/inner"), 0);
  EXPECT_FALSE(testfs::Exists(temp_ / "loose"));
  SetCurrentDirectoryA(previous);
}

TEST_F(TreeCopyTest, ClosesEverySearchOnEveryWayOut) {
  MakeTreeA();
  const Names exclusions = {"s"};
  const HANDLE before = NextHandle();

  CountFiles(temp_ / "a", nullptr);
  CountFiles(temp_ / "a\\*", nullptr);
  Copy(temp_ / "out1", temp_ / "a", &exclusions);
  MakeFolderPath(temp_ / "out2\\a\\s\\z");  // a folder where a file should go
  EXPECT_EQ(Copy(temp_ / "out2", temp_ / "a"), 0);
  int abort = 0;
  recorder_.abortAfterFirst = &abort;
  Copy(temp_ / "out3", temp_ / "a", nullptr, &abort);
  EXPECT_EQ(NextHandle(), before);
}

// Records what a job's walk tells.
struct WalkRecord : ITreeCopyObserver {
  int counted = 0, copied = 0, failed = 0;
  std::vector<std::wstring> notFollowed;
  void OnFileCounted(const ListedFile&) override { ++counted; }
  void OnFileCopied(const ListedFile&) override { ++copied; }
  void OnFailed(const FailedEntry&) override { ++failed; }
  void OnNotFollowed(const std::wstring& path) override { notFollowed.push_back(path); }
};

// Unix links below a source, as a Linux home folder seen through Wine holds them: a link
// to a folder above is a loop, entered once only; a link to a folder elsewhere is copied
// as a folder (Wine gives it no link tag); a dangling link is not listed at all.
TEST_F(TreeCopyTest, ALoopIsNotEnteredAndEveryFileIsCopiedOnce) {
  MakeTreeA();
  testfs::MakeFolder(temp_ / "other");
  testfs::WriteFile(temp_ / "other\\o", "O");
  ASSERT_TRUE(testfs::MakeUnixLink("..", temp_ / "a\\s\\up"));
  ASSERT_TRUE(testfs::MakeUnixLink(".", temp_ / "a\\e\\here"));
  ASSERT_TRUE(testfs::MakeUnixLink("../other", temp_ / "a\\elsewhere"));
  ASSERT_TRUE(testfs::MakeUnixLink("/nonexistent-sheafkeeper", temp_ / "a\\dangling"));
  WalkRecord record;
  CTreeCopyJob job;
  job.observer = &record;

  EXPECT_EQ(CountFiles(temp_ / "a", job), 4);
  EXPECT_EQ(CopyTree(temp_ / "out", temp_ / "a", job), 1);
  EXPECT_EQ(record.counted, 4);
  EXPECT_EQ(record.copied, 4);
  EXPECT_EQ(record.failed, 0);
  EXPECT_EQ(testfs::ReadFile(temp_ / "out\\a\\elsewhere\\o"), "O");
  EXPECT_EQ(testfs::FilesIn(temp_ / "out"), 4);
  EXPECT_FALSE(testfs::Exists(temp_ / "out\\a\\s\\up"));
  EXPECT_FALSE(testfs::Exists(temp_ / "out\\a\\e\\here"));
  const std::wstring a = WideFromAnsi(temp_ / "a");
  std::sort(record.notFollowed.begin(), record.notFollowed.end());
  EXPECT_EQ(record.notFollowed, (std::vector<std::wstring>{a + L"\\e\\here", a + L"\\e\\here", a + L"\\s\\up",
                                                            a + L"\\s\\up"}));  // once by the count, once by the copy
}

// Windows marks junctions, folder links and mount points with a name-surrogate tag, which
// Wine cannot make: the test that decides what is entered is checked on listed entries.
TEST(EntryLookupTest, OnlyAFolderThatNamesAnotherIsALink) {
  const struct {
    DWORD attributes;
    DWORD tag;
    bool link;
  } rows[] = {
      {FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT, IO_REPARSE_TAG_MOUNT_POINT, true},
      {FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT, IO_REPARSE_TAG_SYMLINK, true},
      {FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT, 0x9000001Au, false},  // a cloud placeholder
      {FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT, 0, false},           // Wine's Unix link
      {FILE_ATTRIBUTE_REPARSE_POINT, IO_REPARSE_TAG_SYMLINK, false},                 // a file link is copied
      {FILE_ATTRIBUTE_DIRECTORY, IO_REPARSE_TAG_MOUNT_POINT, false},                 // no reparse point
  };
  for (const auto& row : rows) {
    WIN32_FIND_DATAW entry{};
    entry.dwFileAttributes = row.attributes;
    entry.dwReserved0 = row.tag;
    EXPECT_EQ(IsLinkToFolder(entry), row.link) << row.attributes << " " << row.tag;
  }
}

}  // namespace
