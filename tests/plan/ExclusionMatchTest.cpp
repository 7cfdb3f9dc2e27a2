#include "plan/ExclusionMatch.h"

#include <gtest/gtest.h>

namespace {

TEST(ExclusionMatch, BareNamesPatternsAndPathsEachExcludeWhatTheySay) {
  const struct {
    const char* entry;
    const char* path;
    bool excluded;
  } cases[] = {
      {"Thumbs.db", "C:\\a\\THUMBS.DB", true},
      {"contrib", "C:\\src\\git\\contrib", true},
      {"\x83\x5C", "C:\\a\\\x83\x5C", true},  // a bare name ending in 0x5C is no path
      {"*.gz", "C:\\a\\b\\x.tar.GZ", true},
      {"*.gz", "C:\\a.gz\\x.tar", false},  // only the bare name counts
      {"~$*", "C:\\docs\\~$report.docx", true},
      {"a*b*c", "C:\\aXbYbZc", true},
      {"a*b*c", "C:\\aXbYcZ", false},
      {"?.txt", "C:\\\x95\x5C.txt", true},  // one double-byte character
      {"\x83\x5C*", "C:\\\x83\x5C\x95\x5C", true},
      {"C:\\src\\git\\contrib", "c:\\SRC\\git\\contrib", true},
      {"C:\\src\\git\\contrib", "C:\\src\\git\\contrib\\deep\\x.c", true},  // below it
      {"C:\\src\\git\\contrib", "C:\\src\\git\\contrib2", false},
      {"C:/src/git/contrib//", "C:\\src\\git\\contrib", true},
      {"C:\\src\\git\\", "C:\\src\\git\\contrib", true},  // a trailing backslash
      {"Z:\\src\\logs\\*.tmp", "Z:\\src\\logs\\a.TMP", true},
      {"Z:\\src\\logs\\*.tmp", "Z:\\src\\logs\\sub\\a.tmp", false},
      {"Z:\\src\\l?gs", "Z:\\src\\logs\\a.txt", true},
      {"Z:\\s*\\logs", "Z:\\src\\logs", false},  // wildcards in a folder part are plain characters
      {"C:\\\x83\x5C\\\x95\x5C", "C:\\\x83\x5C\\\x95\x5C", true},
      {"C:\\\x83\x5C\\\x95\x5C", "C:\\\x83\x5C\\\x95\x5Cx", false},
      {"C:\\\x83\x5C", "C:\\\x83\x61", false},  // the second bytes differ: no letter is folded there
      {"s\\z", "C:\\a\\s\\z", false},  // a relative path never names a full path
      {"\\", "\\\\server\\share", false},
      {"C:\\a\\x", "x", false},  // a path never names a bare name
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindExclusion({c.entry}, c.path) == 0, c.excluded) << c.entry << " / " << c.path;
  }
  EXPECT_EQ(FindExclusion({"none", "*.c", "x.c"}, "C:\\x.c"), 1);  // the first that excludes
  EXPECT_EQ(FindExclusion({"none", "C:\\y"}, "C:\\x.c"), -1);
}

}  // namespace
