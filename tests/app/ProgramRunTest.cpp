// Runs the real program in a working folder of its own, as a user starts it, and ends
// it the way a user does.
#include <windows.h>

#include <gtest/gtest.h>

#include "RunningProgram.h"
#include "TempFolder.h"
#include "plan/DateName.h"

namespace {

// The child dialogs of the main window in creation order: destination pane, source pane.
std::vector<HWND> PaneWindows(HWND main) {
  std::vector<HWND> panes;
  for (HWND child = ::GetWindow(main, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char className[16] = "";
    ::GetClassNameA(child, className, sizeof(className));
    if (std::string(className) == "#32770") panes.push_back(child);
  }
  return panes;
}

RECT OuterRect(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

TEST(ProgramRun, FirstStartUsesDefaultSizesAndShutdownWritesTheSettingsFile) {
  testfs::TempFolder folder;
  RunningProgram program(folder.Folder());
  ASSERT_NE(program.Window(), nullptr);

  RECT window = OuterRect(program.Window());
  EXPECT_EQ(window.right - window.left, 600);
  EXPECT_EQ(window.bottom - window.top, 450);
  std::vector<HWND> panes = PaneWindows(program.Window());
  ASSERT_EQ(panes.size(), 2u);
  EXPECT_EQ(OuterRect(panes[0]).right - OuterRect(panes[0]).left, 300);
  EXPECT_EQ(OuterRect(panes[1]).bottom - OuterRect(panes[1]).top, 225);

  ASSERT_TRUE(program.EndWithEsc());
  EXPECT_EQ(testfs::ReadFile(folder.Folder() + "Sheafkeeper.ini"),
            "[SHEAFKEEPER]\r\nLX=300\r\nRY=225\r\nCX=600\r\nCY=450\r\n");
  EXPECT_EQ(testfs::ReadFile(folder.Folder() + "temp.xml"),
            "<?xml version=\"1.0\" encoding=\"Shift-JIS\" ?>\r\n<Sheafkeeper desrootfolder=\"" + folder.Folder() +
                "\">\r\n  <desfolder name=\"" + DateFolderName() + "\">\r\n  </desfolder>\r\n</Sheafkeeper>\r\n");
}

TEST(ProgramRun, StoredSizesComeBackAndAWidePaneIsClampedToTheClientArea) {
  testfs::TempFolder folder;
  testfs::WriteFile(folder.Folder() + "Sheafkeeper.ini", "[SHEAFKEEPER]\r\nLX=2000\r\nRY=150\r\nCX=700\r\nCY=520\r\n");
  RunningProgram program(folder.Folder());
  ASSERT_NE(program.Window(), nullptr);

  RECT window = OuterRect(program.Window());
  EXPECT_EQ(window.right - window.left, 700);
  EXPECT_EQ(window.bottom - window.top, 520);
  RECT client{};
  ::GetClientRect(program.Window(), &client);
  std::vector<HWND> panes = PaneWindows(program.Window());
  ASSERT_EQ(panes.size(), 2u);
  EXPECT_EQ(OuterRect(panes[0]).right - OuterRect(panes[0]).left, client.right);
  EXPECT_EQ(OuterRect(panes[1]).right - OuterRect(panes[1]).left, 0);
  EXPECT_EQ(OuterRect(panes[1]).bottom - OuterRect(panes[1]).top, 150);

  ASSERT_TRUE(program.EndWithEsc());
  std::string settings = testfs::ReadFile(folder.Folder() + "Sheafkeeper.ini");
  EXPECT_NE(settings.find("LX=" + std::to_string(client.right) + "\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("CX=700\r\nCY=520\r\n"), std::string::npos) << settings;
}

TEST(ProgramRun, TheWindowIsCentredOnTheScreen) {
  testfs::TempFolder folder;
  RunningProgram program(folder.Folder());
  ASSERT_NE(program.Window(), nullptr);
  RECT window = OuterRect(program.Window());
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoA(::MonitorFromWindow(program.Window(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  EXPECT_NEAR((window.left + window.right) / 2, (monitor.rcWork.left + monitor.rcWork.right) / 2, 1);
  EXPECT_NEAR((window.top + window.bottom) / 2, (monitor.rcWork.top + monitor.rcWork.bottom) / 2, 1);
  EXPECT_TRUE(program.EndWithEsc());
}

}  // namespace

namespace {

TEST(ProgramRun, TheEndOfTheWindowsSessionSavesThePlanAndTheSettings) {
  testfs::TempFolder folder;
  RunningProgram program(folder.Folder());
  ASSERT_NE(program.Window(), nullptr);
  ::SendMessageA(program.Window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
  ::SendMessageA(program.Window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_NE(testfs::ReadFile(folder.Folder() + "temp.xml").find(DateFolderName()), std::string::npos);
  EXPECT_EQ(testfs::ReadFile(folder.Folder() + "Sheafkeeper.ini"),
            "[SHEAFKEEPER]\r\nLX=300\r\nRY=225\r\nCX=600\r\nCY=450\r\n");
}

}  // namespace
