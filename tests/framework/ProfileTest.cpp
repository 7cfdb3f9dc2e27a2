#include "framework/Profile.h"

#include <gtest/gtest.h>

#include "WinTestSupport.h"

TEST(Profile, MissingFileGivesDefaultsAndWrittenValuesComeBack) {
  TempFolder folder;
  CProfile profile;
  profile.SetPath(folder.Path() + "test.ini");
  EXPECT_EQ(profile.GetInt("SECTION", "CX", 600), 600);
  EXPECT_FALSE(FileExists(profile.GetPath()));

  profile.WriteInt("SECTION", "CX", 812);
  profile.WriteInt("SECTION", "CY", -3);
  EXPECT_EQ(profile.GetInt("SECTION", "CX", 600), 812);
  EXPECT_EQ(profile.GetInt("SECTION", "CY", 450), -3);
  EXPECT_EQ(profile.GetInt("OTHER", "CX", 7), 7);
}

TEST(Profile, WriteIntoAMissingFolderIsIgnored) {
  TempFolder folder;
  CProfile profile;
  profile.SetPath(folder.Path() + "missing\\test.ini");
  profile.WriteInt("SECTION", "CX", 1);
  EXPECT_EQ(profile.GetInt("SECTION", "CX", 5), 5);
}
