#include "platform/WorkingFolder.h"

#include <gtest/gtest.h>

#include "CurrentFolder.h"

namespace {

TEST(WorkingFolder, IsTheCurrentFolderWithOneTrailingBackslash) {
  testfs::TempFolder folder;
  CurrentFolder current(folder.Folder());
  EXPECT_EQ(GetWorkingFolder(), folder.Folder());
}

TEST(WorkingFolder, AFolderEndingInKanjiWithSecondByte5CGetsABackslash) {
  testfs::TempFolder folder;
  std::string kanji = folder.Folder() + "\x95\x5C";  // hyo
  ASSERT_TRUE(::CreateDirectoryA(kanji.c_str(), nullptr));
  CurrentFolder current(kanji);
  EXPECT_EQ(GetWorkingFolder(), kanji + "\\");
}

TEST(WorkingFolder, ADriveRootKeepsItsSingleBackslash) {
  CurrentFolder current("C:\\");
  EXPECT_EQ(GetWorkingFolder(), "C:\\");
}

}  // namespace
