#include "platform/LocaleDate.h"

#include <gtest/gtest.h>

namespace {

TEST(LocaleDate, ReadsDatesTheWayTheUserLocaleDoes) {
  for (const char* date : {"2006-05-01", "1899-12-31", "2006/05/01", "9999-12-31"}) {
    EXPECT_TRUE(IsLocaleDate(date)) << date;
  }
  // 30 December 1899 is day 0 and earlier days are negative: not dates.
  for (const char* name : {"1899-12-30", "1800-01-01", "docs", "2006-02-30", "",
                           "\x83\x5C\x83\x74\x83\x67"}) {  // ソフト
    EXPECT_FALSE(IsLocaleDate(name)) << name;
  }
}

}  // namespace
