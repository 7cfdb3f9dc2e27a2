#include "platform/FileMove.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "../plan/PlanFiles.h"
#include "plan/PlanWriter.h"

namespace {

TEST(kSaveOps, SavesUnderAShiftJisNameAndNeverReplacesAFolder) {
  CTempFolder folder;
  std::string path = folder / "\x83\x5C\x83\x74\x83\x67.xml";  // ソフト.xml
  CFolderMap folders;
  folders.GetOrCreate("\x83\x5C") = {"C:\\\x83\x5C\\a"};
  ASSERT_TRUE(SavePlan(path, "C:\\", folders, {}, kSaveOps));
  ASSERT_TRUE(SavePlan(path, "D:\\", folders, {}, kSaveOps));
  EXPECT_EQ(ReadBytes(path), FormatPlan("D:\\", folders, {}));
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(path.c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);
  EXPECT_STREQ(found.cFileName, "\x83\x5C\x83\x74\x83\x67.xml");

  // A folder is never replaced.
  CreateDirectoryA((folder / "dir").c_str(), nullptr);
  EXPECT_FALSE(SavePlan(folder / "dir", "C:\\", folders, {}, kSaveOps));
  EXPECT_EQ(GetFileAttributesA(TemporaryPathFor(folder / "dir", 0).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA((folder / "dir").c_str()), DWORD{FILE_ATTRIBUTE_DIRECTORY});
}

}  // namespace
