#include "plan/PlanWriter.h"

#include <gtest/gtest.h>

#include "../PlanFiles.h"

namespace {

TEST(SavePlan, AWriteErrorKeepsThePreviousFile) {
  // Every write to /dev/full fails with "no space left on device".
  CTempFolder folder;
  std::string path = folder / "temp.xml";
  WriteBytes(path, "previous");
  std::filesystem::create_symlink("/dev/full", path + ".tmp");
  CFolderMap folders;
  folders.GetOrCreate("2006-05-01") = {"C:\\a"};
  EXPECT_FALSE(SavePlan(path, "C:\\", folders, {"x"}, RenameReplacing));
  ASSERT_FALSE(std::filesystem::is_symlink(path));
  EXPECT_EQ(ReadBytes(path), "previous");
  EXPECT_FALSE(std::filesystem::is_symlink(path + ".tmp"));
}

}  // namespace
