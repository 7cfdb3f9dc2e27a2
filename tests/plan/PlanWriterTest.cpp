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

// Files named like temporary files, the old "<target>.tmp" among them, are passed over and kept.
TEST(SavePlan, ReplacesTheFileLeavesNoTemporaryFileAndKeepsOtherFiles) {
  CTempFolder folder;
  std::string path = folder / "temp.xml";
  WriteBytes(path, "an earlier plan that is longer than the new one, so replacing must not leave a tail of it");
  WriteBytes(path + ".tmp", "a user's file");
  WriteBytes(TemporaryPathFor(path, 0), "another user's file");
  std::filesystem::create_directory(TemporaryPathFor(path, 1));
  ASSERT_TRUE(SavePlan(path, "C:\\", SmallPlan(), {}, kSaveOps));
  EXPECT_EQ(ReadBytes(path), FormatPlan("C:\\", SmallPlan(), {}));
  EXPECT_EQ(ReadBytes(path + ".tmp"), "a user's file");
  EXPECT_EQ(ReadBytes(TemporaryPathFor(path, 0)), "another user's file");
  EXPECT_FALSE(std::filesystem::exists(TemporaryPathFor(path, 2)));
}

TEST(SavePlan, TemporaryNamesAreNeverLongerThanTheTarget) {
  const struct {
    std::string path;
    unsigned attempt;
    std::string expected;
  } cases[] = {
      {"C:\\plans\\temp.xml", 0, "C:\\plans\\00000000"},  // a name of 8 bytes: 8 hex digits
      {"C:\\plans\\temp.xml", 255, "C:\\plans\\000000ff"},
      {"C:\\plans\\a-long-name.xml", 26, "C:\\plans\\~sk001a.tmp"},
      {"C:\\plans\\a", 15, "C:\\plans\\f"},
      {"C:\\plans\\a", 16, ""},                             // no more one-digit names
      {"C:\\\x83\x5C\\ab", 1, "C:\\\x83\x5C\\01"},            // 0x5C after a lead byte is no separator
      {"C:/plans/ab", 2, "C:/plans/02"},
      {"ab", 3, "03"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TemporaryPathFor(c.path, c.attempt), c.expected) << c.path << " " << c.attempt;
    EXPECT_LE(TemporaryPathFor(c.path, c.attempt).size(), c.path.size());
  }
}

TEST(SavePlan, AFailedSaveKeepsThePreviousFileByteForByte) {
  CTempFolder folder;
  std::string path = folder / "temp.xml";
  const std::string previous = "<Sheafkeeper desrootfolder=\"D:\\\">\r\n</Sheafkeeper>\r\n";
  WriteBytes(path, previous);

  // No temporary file can be created.
  EXPECT_FALSE(SavePlan(path, "C:\\", SmallPlan(), {}, SaveFileOps{[](const std::string&) { return false; },
                                                                    kSaveOps.replace}));
  EXPECT_EQ(ReadBytes(path), previous);

  // The replace step fails after a complete write: the written file goes again.
  EXPECT_FALSE(SavePlan(path, "C:\\", SmallPlan(), {},
                        SaveFileOps{kSaveOps.createNew, [](const std::string&, const std::string&) { return false; }}));
  EXPECT_EQ(ReadBytes(path), previous);
  EXPECT_FALSE(std::filesystem::exists(TemporaryPathFor(path, 0)));

  // The target folder is missing.
  EXPECT_FALSE(SavePlan(folder / "missing/temp.xml", "C:\\", SmallPlan(), {}, kSaveOps));
}

}  // namespace
