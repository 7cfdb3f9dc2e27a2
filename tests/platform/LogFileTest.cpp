#include "platform/LogFile.h"

#include <gtest/gtest.h>

#include <regex>

#include "TempFolder.h"
#include "copy/WideText.h"

namespace {

// The file's text with every digit as 9, so that lines of any date and time compare.
std::string Shape(const std::string& path) {
  return std::regex_replace(testfs::ReadFile(path), std::regex("[0-9]"), "9");
}

TEST(LogFile, OneByteOrderMarkPerFileAndAFullFileMovesAsideReplacingTheOlderOne) {
  testfs::TempFolder folder;
  const std::string path = folder / "a.log";
  testfs::WriteFile(path + ".1", "older");
  const std::string bom = "\xEF\xBB\xBF";
  const std::string line = "9999-99-99 99:99:99 one\r\n";
  const CLogFile log(WideFromAnsi(path), bom.size() + 2 * line.size());
  EXPECT_TRUE(log.AppendLine(L"one") && log.AppendLine(L"one"));
  EXPECT_EQ(Shape(path), bom + line + line);
  EXPECT_EQ(testfs::ReadFile(path + ".1"), "older");

  EXPECT_TRUE(log.AppendLine(L"\u30BD\u8868"));  // ソ表, in UTF-8
  EXPECT_EQ(Shape(path), bom + "9999-99-99 99:99:99 \xE3\x82\xBD\xE8\xA1\xA8\r\n");
  EXPECT_EQ(Shape(path + ".1"), bom + line + line);
  EXPECT_FALSE(CLogFile(WideFromAnsi(folder / "missing\\a.log")).AppendLine(L"one"));
}

}  // namespace
