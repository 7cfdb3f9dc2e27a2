#include "framework/Profile.h"

#include <gtest/gtest.h>

#include "TempFolder.h"

TEST(Profile, MissingFileGivesDefaultsAndWrittenValuesComeBack) {
  testfs::TempFolder folder;
  CProfile profile;
  profile.SetPath(folder.Folder() + "test.ini");
  EXPECT_EQ(profile.GetInt("SECTION", "CX", 600), 600);
  EXPECT_FALSE(testfs::Exists(profile.GetPath()));

  profile.WriteInt("SECTION", "CX", 812);
  profile.WriteInt("SECTION", "CY", -3);
  EXPECT_EQ(profile.GetInt("SECTION", "CX", 600), 812);
  EXPECT_EQ(profile.GetInt("SECTION", "CY", 450), -3);
  EXPECT_EQ(profile.GetInt("OTHER", "CX", 7), 7);
}

TEST(Profile, WriteIntoAMissingFolderIsIgnored) {
  testfs::TempFolder folder;
  CProfile profile;
  profile.SetPath(folder.Folder() + "missing\\test.ini");
  profile.WriteInt("SECTION", "CX", 1);
  EXPECT_EQ(profile.GetInt("SECTION", "CX", 5), 5);
}
