#include "plan/PathParts.h"

#include <gtest/gtest.h>

namespace {

TEST(DriveAndFolder, KeepsTheDriveAndEverythingUpToTheLastSeparator) {
  const struct {
    const char* path;
    const char* shown;
  } kCases[] = {
      {"C:\\data\\report.txt", "C:\\data\\"},
      {"C:\\data", "C:\\"},
      {"C:\\", "C:\\"},
      {"C:report.txt", "C:"},
      {"C:/data/sub\\x.txt", "C:/data/sub\\"},
      {"C:\\data\\sub/x.txt", "C:\\data\\sub/"},
      {"\\\\server\\share\\x.txt", "\\\\server\\share\\"},
      {"report.txt", ""},
      {"", ""},
      {"C", ""},
      // "\x95\x5C" (hyo) ends in the code of "\\": it is no separator.
      {"C:\\\x95\x5C", "C:\\"},
      {"C:\\\x95\x5C\\x", "C:\\\x95\x5C\\"},
      {"\x95\x5C", ""},
      // A colon only makes a drive as the second byte.
      {"ab:\\x", "ab:\\"},
  };
  for (const auto& c : kCases) EXPECT_EQ(DriveAndFolderOf(c.path), c.shown) << c.path;
}

}  // namespace
