#include "app/WorkingFolder.h"

#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "app/SheafkeeperApp.h"
#include "ui/SheafkeeperDlg.h"

namespace {

TEST(WorkingFolder, IsTheCurrentFolderWithOneTrailingBackslash) {
  TempFolder folder;
  CurrentFolder current(folder.Path());
  EXPECT_EQ(GetWorkingFolder(), folder.Path());
}

TEST(WorkingFolder, AFolderEndingInKanjiWithSecondByte5CGetsABackslash) {
  TempFolder folder;
  std::string kanji = folder.Path() + "\x95\x5C";  // hyo
  ASSERT_TRUE(::CreateDirectoryA(kanji.c_str(), nullptr));
  CurrentFolder current(kanji);
  EXPECT_EQ(GetWorkingFolder(), kanji + "\\");
}

TEST(WorkingFolder, ADriveRootKeepsItsSingleBackslash) {
  CurrentFolder current("C:\\");
  EXPECT_EQ(GetWorkingFolder(), "C:\\");
}

TEST(WorkingFolder, AFolderLongerThanMaxPathIsReturnedWhole) {
  TempFolder folder;
  std::wstring path = L"\\\\?\\";
  std::string ansi = folder.Path();
  path += std::wstring(ansi.begin(), ansi.end() - 1);
  for (int level = 0; level < 4; ++level) {
    path += L"\\" + std::wstring(90, static_cast<wchar_t>(L'a' + level));
    ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr));
  }
  wchar_t previous[MAX_PATH] = L"";
  ::GetCurrentDirectoryW(MAX_PATH, previous);
  if (!::SetCurrentDirectoryW(path.c_str())) GTEST_SKIP() << "this system cannot enter a folder that long";
  std::string working = GetWorkingFolder();
  EXPECT_GT(working.size(), static_cast<size_t>(MAX_PATH));
  EXPECT_EQ(working.back(), '\\');
  EXPECT_EQ(working.compare(0, ansi.size(), ansi), 0);

  // The program still starts and ends there: its files simply cannot be opened.
  CSheafkeeperApp app;
  app.UseSettingsFileIn(working);
  {
    CSheafkeeperDlg dialog(nullptr);
    EXPECT_TRUE(dialog.Create(nullptr));
    EXPECT_EQ(RectWidth(dialog.GetWindowRect()), 600);
  }
  ::SetCurrentDirectoryW(previous);
}

// The dialog made in folder: the settings file and temp.xml belong there for good.
TEST(WorkingFolder, SettingsAndAutomaticPlanStayInTheStartFolderWhenTheCurrentFolderMoves) {
  TempFolder start;
  TempFolder later;
  CSheafkeeperApp app;
  {
    CurrentFolder current(start.Path());
    app.UseSettingsFileIn(GetWorkingFolder());
  }
  CSheafkeeperDlg dialog(nullptr);
  {
    CurrentFolder current(start.Path());
    ASSERT_TRUE(dialog.Create(nullptr));
  }
  CurrentFolder current(later.Path());
  dialog.DestroyWindow();

  EXPECT_EQ(dialog.m_strWorkDir, start.Path());
  EXPECT_TRUE(FileExists(start.Path() + "Sheafkeeper.ini"));
  EXPECT_FALSE(FileExists(later.Path() + "Sheafkeeper.ini"));
  EXPECT_FALSE(FileExists(later.Path() + "temp.xml"));
}

TEST(WorkingFolder, AtADriveRootTheSettingsFileLiesDirectlyInIt) {
  std::string settings = "C:\\Sheafkeeper.ini";
  ::DeleteFileA(settings.c_str());
  CSheafkeeperApp app;
  CurrentFolder current("C:\\");
  app.UseSettingsFileIn(GetWorkingFolder());
  EXPECT_EQ(app.m_profile.GetPath(), settings);
  {
    CSheafkeeperDlg dialog(nullptr);
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_EQ(dialog.m_strWorkDir, "C:\\");
  }
  EXPECT_TRUE(FileExists(settings));
  ::DeleteFileA(settings.c_str());
  ::DeleteFileA("C:\\temp.xml");
}

}  // namespace
