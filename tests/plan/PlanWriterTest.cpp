#include "plan/PlanWriter.h"

#include <gtest/gtest.h>

#include "PlanFiles.h"

namespace {

CFolderMap SmallPlan() {
  CFolderMap folders;
  folders.SetEmpty("2006-05-01");
  folders.GetOrCreate("2006-05-01/docs") = {"C:\\x&y", "", "C:\\\x83\x5C"};
  folders.SetEmpty("2006-05-01/docs/old");
  return folders;
}

TEST(FormatPlan, WritesTheFixedLayoutInWalkOrderWithValuesAsHeld) {
  EXPECT_EQ(FormatPlan("C:\\a&b\\", SmallPlan(), {"Thumbs.db", "a&b"}),
            "<?xml version=\"1.0\" encoding=\"Shift-JIS\" ?>\r\n"
            "<Sheafkeeper desrootfolder=\"C:\\a&b\\\">\r\n"
            "  <desfolder name=\"2006-05-01/docs/old\">\r\n"
            "  </desfolder>\r\n"
            "  <desfolder name=\"2006-05-01\">\r\n"
            "  </desfolder>\r\n"
            "  <desfolder name=\"2006-05-01/docs\">\r\n"
            "    <srcfilepath>C:\\x&y</srcfilepath>\r\n"
            "    <srcfilepath>C:\\\x83\x5C</srcfilepath>\r\n"
            "  </desfolder>\r\n"
            "  <nocopyfilepath>Thumbs.db</nocopyfilepath>\r\n"
            "  <nocopyfilepath>a&b</nocopyfilepath>\r\n"
            "</Sheafkeeper>\r\n");
}

TEST(SavePlan, ReplacesTheFileAndLeavesNoTemporaryFile) {
  CTempFolder folder;
  std::string path = folder / "temp.xml";
  WriteBytes(path, "an earlier plan that is longer than the new one, so replacing must not leave a tail of it");
  ASSERT_TRUE(SavePlan(path, "C:\\", SmallPlan(), {}, kReplace));
  EXPECT_EQ(ReadBytes(path), FormatPlan("C:\\", SmallPlan(), {}));
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST(SavePlan, AFailedSaveKeepsThePreviousFileByteForByte) {
  CTempFolder folder;
  std::string path = folder / "temp.xml";
  const std::string previous = "<Sheafkeeper desrootfolder=\"D:\\\">\r\n</Sheafkeeper>\r\n";
  WriteBytes(path, previous);

  // The temporary file cannot be created: a folder holds its name.
  std::filesystem::create_directory(path + ".tmp");
  EXPECT_FALSE(SavePlan(path, "C:\\", SmallPlan(), {}, kReplace));
  EXPECT_EQ(ReadBytes(path), previous);
  EXPECT_TRUE(std::filesystem::is_directory(path + ".tmp"));
  std::filesystem::remove(path + ".tmp");

  // The replace step fails after a complete write: the written file goes again.
  auto refuse = [](const std::string&, const std::string&) { return false; };
  EXPECT_FALSE(SavePlan(path, "C:\\", SmallPlan(), {}, refuse));
  EXPECT_EQ(ReadBytes(path), previous);
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

  // The target folder is missing.
  EXPECT_FALSE(SavePlan(folder / "missing/temp.xml", "C:\\", SmallPlan(), {}, kReplace));
}

}  // namespace
