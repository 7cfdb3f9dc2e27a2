#include "platform/WorkingFolder.h"

#include <gtest/gtest.h>

#include "CurrentFolder.h"
#include "app/SheafkeeperApp.h"
#include "ui/SheafkeeperDlg.h"

namespace {

TEST(WorkingFolder, AFolderLongerThanMaxPathIsReturnedWhole) {
  testfs::TempFolder folder;
  std::wstring path = L"\\\\?\\";
  std::string ansi = folder.Folder();
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
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  int entries = 0;
  do {
    ++entries;
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  EXPECT_EQ(entries, 2) << "only . and .. : no settings or plan file of a mangled name";
}

// The dialog made in folder: the settings file and temp.xml belong there for good.
TEST(WorkingFolder, SettingsAndAutomaticPlanStayInTheStartFolderWhenTheCurrentFolderMoves) {
  testfs::TempFolder start;
  testfs::TempFolder later;
  CSheafkeeperApp app;
  {
    CurrentFolder current(start.Folder());
    app.UseSettingsFileIn(GetWorkingFolder());
  }
  CSheafkeeperDlg dialog(nullptr);
  {
    CurrentFolder current(start.Folder());
    ASSERT_TRUE(dialog.Create(nullptr));
  }
  CurrentFolder current(later.Folder());
  dialog.DestroyWindow();

  EXPECT_EQ(dialog.GetWorkDir(), start.Folder());
  EXPECT_TRUE(testfs::Exists(start.Folder() + "Sheafkeeper.ini"));
  EXPECT_FALSE(testfs::Exists(later.Folder() + "Sheafkeeper.ini"));
  EXPECT_TRUE(testfs::Exists(start.Folder() + "temp.xml"));
  EXPECT_FALSE(testfs::Exists(later.Folder() + "temp.xml"));
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
    EXPECT_EQ(dialog.GetWorkDir(), "C:\\");
  }
  EXPECT_TRUE(testfs::Exists(settings));
  ::DeleteFileA(settings.c_str());
  ::DeleteFileA("C:\\temp.xml");
}

}  // namespace
