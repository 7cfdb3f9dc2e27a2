#include <windows.h>

#include <gtest/gtest.h>

// Without the ja_JP.UTF-8 locale Wine falls back to code page 1252 and every
// Shift-JIS test below would test the wrong thing.
TEST(Environment, AnsiCodePageIsShiftJis) {
  EXPECT_EQ(GetACP(), 932u);
}
