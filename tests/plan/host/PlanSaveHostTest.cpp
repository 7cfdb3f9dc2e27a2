#include "plan/PlanWriter.h"

#include <gtest/gtest.h>

#include "../PlanFiles.h"

namespace {

TEST(SavePlan, AWriteErrorKeepsThePreviousFile) {
  // Every write to /dev/full fails with "no space left on device".
  CTempFolder folder;
  std::string path = folder / "temp.xml";
  WriteBytes(path, "previous");
  auto createFull = [](const std::string& temporary) {
    std::error_code error;
    std::filesystem::create_symlink("/dev/full", temporary, error);
    return !error;
  };
  CFolderMap folders;
  folders.GetOrCreate("2006-05-01") = {"C:\\a"};
  EXPECT_FALSE(SavePlan(path, "C:\\", folders, {"x"}, SaveFileOps{createFull, kSaveOps.replace}));
  ASSERT_FALSE(std::filesystem::is_symlink(path));
  EXPECT_EQ(ReadBytes(path), "previous");
  EXPECT_FALSE(std::filesystem::is_symlink(TemporaryPathFor(path, 0)));
}

}  // namespace
