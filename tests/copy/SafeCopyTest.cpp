// The copy engine never damages what it cannot copy: a failed copy leaves no cut-off file
// and keeps an earlier copy byte for byte, a read-only, hidden or system target is replaced,
// a replace leaves no temporary file, and a destination root inside a source is left out of
// the walk. The full-disk rows need a small disk (SHEAF_SMALL_DISK, a tmpfs mounted by
// tests/copy/run-as-nobody) and the read-only row a user whom the attribute binds; rows
// that cannot run here say so.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "TreeListing.h"
#include "copy/DestinationRoot.h"
#include "copy/TreeCopy.h"

namespace {

const std::size_t kLargerThanTheSmallDisk = 900000;

// True when a read-only file cannot be opened for writing (false under Wine run as root).
bool ReadOnlyIsEnforced(const testfs::TempFolder& temp) {
  const std::string probe = temp / "probe";
  testfs::WriteFile(probe, "p");
  SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_READONLY);
  HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(probe.c_str());
  return file == INVALID_HANDLE_VALUE;
}

TEST(SafeCopyTest, AFailedCopyKeepsTheEarlierTargetAndABlockingAttributeIsCleared) {
  struct Row {
    std::string what;
    std::string before;  // the target's content before the copy; "<missing>" for none
    DWORD attributes;    // set on the target before the copy
    bool onSmallDisk;
    int result;
    bool replaced;  // the target holds the source afterwards; otherwise it is as before
    bool leftover = false;          // a killed run left the target's temporary file
    std::string name = "data.bin";  // of the source and the target
  } rows[] = {
      {"a new target", "<missing>", 0, false, 1, true},
      {"a second run replaces the target", "old", 0, false, 1, true},
      {"a read-only target is replaced", "old", FILE_ATTRIBUTE_READONLY, false, 1, true},
      {"a hidden target is replaced", "old", FILE_ATTRIBUTE_HIDDEN, false, 1, true},
      {"a system and read-only target is replaced", "old", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY, false, 1,
       true},
      {"a killed run's temporary file is removed", "old", 0, false, 1, true, true},
      {"a name too long for the temporary suffix", "old", 0, false, 1, true, false, std::string(250, 'n') + ".bin"},
      {"a full disk leaves no cut-off new target", "<missing>", 0, true, 0, false},
      {"a full disk keeps the earlier target", "old", 0, true, 0, false},
  };
  testfs::TempFolder temp;
  const char* smallDisk = std::getenv("SHEAF_SMALL_DISK");
  const bool readOnlyEnforced = ReadOnlyIsEnforced(temp);
  for (const Row& row : rows) {
    if ((row.onSmallDisk && smallDisk == nullptr) ||
        ((row.attributes & FILE_ATTRIBUTE_READONLY) && !readOnlyEnforced)) {
      std::printf("not run here: %s (%s)\n", row.what.c_str(),
                  row.onSmallDisk ? "no small disk; run tests/copy/run-as-nobody" : "read-only is not enforced for root");
      continue;
    }
    const std::string source = temp / row.name;
    testfs::WriteFile(source, std::string(row.onSmallDisk ? kLargerThanTheSmallDisk : 5000, 'n'));
    SetFileAttributesW(testfs::Wide(source).c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string out = row.onSmallDisk ? std::string(smallDisk) + "\\out" : temp / "out";
    const std::string target = out + "\\" + row.name;
    testfs::MakeFolder(out);
    if (row.before != "<missing>") {
      testfs::WriteFile(target, row.before);
      SetFileAttributesW(testfs::Wide(target).c_str(), row.attributes);
    }
    if (row.leftover) testfs::WriteFile(target + ".~sk-partial", "cut");
    const testfs::Listing before = testfs::ListTree(out);

    EXPECT_EQ(CopyTree(out, source, nullptr, nullptr, nullptr, nullptr), row.result) << row.what;
    if (row.replaced) {
      EXPECT_EQ(testfs::ListTree(out), (testfs::Listing{{row.name, testfs::ListTree(temp.Path())[row.name]}}))
          << row.what;
      EXPECT_EQ(GetFileAttributesW(testfs::Wide(target).c_str()), GetFileAttributesW(testfs::Wide(source).c_str()))
          << row.what;
    } else {
      EXPECT_EQ(testfs::ListTree(out), before) << row.what;
    }
    SetFileAttributesW(testfs::Wide(source).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(testfs::Wide(source).c_str());
    testfs::RemoveTree(out);
  }
}

// Source self holds the root self\bk; the walk of self leaves bk out, and a source that
// is the root or lies inside it copies nothing, without failing.
TEST(SafeCopyTest, TheDestinationRootIsLeftOutOfTheSourceThatHoldsIt) {
  testfs::TempFolder temp;
  for (const char* folder : {"self", "self\\sub", "self\\bk", "self\\bk\\old"}) testfs::MakeFolder(temp / folder);
  for (const char* file : {"self\\a.txt", "self\\sub\\b.txt", "self\\bk\\old\\c.txt"}) testfs::WriteFile(temp / file, file);
  const std::string root = temp / "self/BK/";
  const CDestinationRoot destinationRoot(root);
  CTreeCopyJob job;
  job.root = &destinationRoot;
  struct Row {
    std::string source;
    int count;
    std::vector<std::string> copied;  // the entries below the destination folder afterwards
  } rows[] = {
      {temp / "self", 2, {"self\\", "self\\a.txt", "self\\sub\\", "self\\sub\\b.txt"}},
      {temp / "self\\bk", 0, {}},
      {temp / "self\\bk\\old\\c.txt", 0, {}},
      {temp / "self\\sub", 1, {"sub\\", "sub\\b.txt"}},
  };
  for (const Row& row : rows) {
    const std::string destination = temp / "self\\bk\\today";
    EXPECT_EQ(CountFiles(row.source, job), row.count) << row.source;
    EXPECT_EQ(CopyTree(destination, row.source, job), 1) << row.source;
    std::vector<std::string> copied;
    for (const auto& entry : testfs::ListTree(destination)) copied.push_back(entry.first);
    EXPECT_EQ(copied, row.copied) << row.source;
    testfs::RemoveTree(destination);
  }
}

}  // namespace
