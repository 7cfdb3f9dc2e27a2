#include "plan/ShiftJis.h"

#include <gtest/gtest.h>

namespace {

TEST(TrailingBackslash, AppendsUnlessTheLastCharacterIsASingleByteBackslash) {
  std::string plain = "C:\\work";
  sjis::AppendTrailingBackslash(plain);
  EXPECT_EQ(plain, "C:\\work\\");

  std::string root = "C:\\";
  sjis::AppendTrailingBackslash(root);
  EXPECT_EQ(root, "C:\\");

  std::string empty;
  sjis::AppendTrailingBackslash(empty);
  EXPECT_EQ(empty, "\\");

  // "\x95\x5C" is one character (hyo) whose second byte is the code of '\\'.
  std::string kanji = "C:\\\x95\x5C";
  sjis::AppendTrailingBackslash(kanji);
  EXPECT_EQ(kanji, "C:\\\x95\x5C\\");

  // A lead byte right before the end is a character of its own.
  std::string dangling = "C:\\\x95";
  sjis::AppendTrailingBackslash(dangling);
  EXPECT_EQ(dangling, "C:\\\x95\\");
}

TEST(TrailingBackslash, BufferFormFollowsTheSameRule) {
  char buffer[16] = "D:\\\x83\x5C";
  sjis::AppendTrailingBackslash(buffer);
  EXPECT_STREQ(buffer, "D:\\\x83\x5C\\");

  char root[8] = "D:\\";
  sjis::AppendTrailingBackslash(root);
  EXPECT_STREQ(root, "D:\\");

  char empty[4] = "";
  sjis::AppendTrailingBackslash(empty);
  EXPECT_STREQ(empty, "\\");
}

TEST(CharacterSearch, NeverMatchesASecondByte) {
  const std::string text = "a\x83\x5C" "b\\c";  // so, b, backslash, c
  EXPECT_EQ(sjis::FindChar(text, '\\'), 4u);
  EXPECT_EQ(sjis::FindLastChar(text, '\\'), 4u);
  EXPECT_EQ(sjis::FindChar("\x83\x5C", '\\'), std::string::npos);
  EXPECT_EQ(sjis::Find("\x83\x5C\x5C", "\\"), 2u);
  EXPECT_EQ(sjis::Find("x\x88\x41" "A", "A"), 3u);  // 0x41 after a lead byte is not "A"
  EXPECT_FALSE(sjis::ContainsAnyChar("\x83\x5C\x83\x7C", "\\|"));
  EXPECT_TRUE(sjis::ContainsAnyChar("a|b", "\\|"));
}

TEST(AsciiCaseFolding, FoldsOnlySingleByteAsciiLetters) {
  const struct {
    const char* a;
    const char* b;
    bool equal;
  } cases[] = {
      {"Thumbs.DB", "thumbs.db", true},
      {"abc", "abcd", false},
      {"[", "{", false},
      {"\x82\x60", "\x82\x81", false},                // full-width A and a
      {"\x83\x41.txt", "\x83\x61.txt", false},        // ア and ヂ: only the second byte is a letter
      {"\x83\x41" "A", "\x83\x41" "a", true},         // a letter after a double-byte character folds
      {"X\x83\x5C" "b", "x\x83\x5C" "B", true},
      {"a\x83", "A\x83", true},                       // a lead byte at the end is a character of its own
      {"\x83\x41\x83\x41", "\x83\x61\x83\x41", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(sjis::EqualsNoCaseAscii(c.a, c.b), c.equal) << c.a << " / " << c.b;
    EXPECT_EQ(sjis::EqualsNoCaseAscii(c.b, c.a), c.equal) << c.b << " / " << c.a;
  }
}

TEST(Trimming, RemovesTheSixWhiteSpaceBytesAtBothEnds) {
  EXPECT_EQ(sjis::Trim(" \t\r\n\v\fa b\f\v\n\r\t "), "a b");
  EXPECT_EQ(sjis::Trim("   "), "");
  EXPECT_EQ(sjis::Trim(""), "");
  EXPECT_EQ(sjis::Trim("\x81\x40"), "\x81\x40");  // the full-width space is not trimmed
}

}  // namespace
