// Runs the real program in a working folder of its own, as a user starts it, and ends
// it the way a user does.
#include <windows.h>

#include <commctrl.h>

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

// The visible main windows of every program running.
int MainWindowCount() {
  int count = 0;
  for (HWND window = nullptr; (window = ::FindWindowExA(nullptr, window, nullptr, "Sheafkeeper"));) {
    count += ::IsWindowVisible(window) ? 1 : 0;
  }
  return count;
}

// temp.xml as the program writes it for a plan of one folder and nothing else.
std::string PlanOfOneFolder(const std::string& root, const std::string& name) {
  return "<?xml version=\"1.0\" encoding=\"Shift-JIS\" ?>\r\n<Sheafkeeper desrootfolder=\"" + root +
         "\">\r\n  <desfolder name=\"" + name + "\">\r\n  </desfolder>\r\n</Sheafkeeper>\r\n";
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
  EXPECT_EQ(testfs::ReadFile(folder.Folder() + "temp.xml"), PlanOfOneFolder(folder.Folder(), DateFolderName()));
}

// A rename typed into the tree reaches temp.xml while the program runs, so a crash keeps
// it; and the killed program leaves its folder free for the next start.
TEST(ProgramRun, ARenameIsSavedWhileRunningAndSurvivesAHardKill) {
  testfs::TempFolder folder;
  RunningProgram program(folder.Folder());
  ASSERT_NE(program.Window(), nullptr);
  HWND tree = ::FindWindowExA(PaneWindows(program.Window())[0], nullptr, WC_TREEVIEWA, nullptr);
  // A click below the folders gives the tree the focus, which selects the top folder.
  RECT area{};
  ::GetClientRect(tree, &area);
  ::PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, area.bottom - 5));
  ::PostMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(5, area.bottom - 5));
  PostKeyPress(tree, VK_F2);
  HWND edit = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (edit = TreeView_GetEditControl(tree)) != nullptr; }));
  for (char c : std::string("kept")) ::PostMessageA(edit, WM_CHAR, c, 1);
  PostKeyPress(edit, VK_RETURN);

  const std::string plan = folder / "temp.xml";
  EXPECT_TRUE(WaitFor([&] { return testfs::ReadFile(plan).find("\"kept\"") != std::string::npos; }));
  ASSERT_TRUE(program.Kill());
  EXPECT_EQ(testfs::ReadFile(plan), PlanOfOneFolder(folder.Folder(), "kept"));
  RunningProgram again(folder.Folder());
  EXPECT_NE(again.Window(), nullptr);
  EXPECT_TRUE(again.EndWithEsc());
}

// A second start in the same folder, spelled in other letter case, brings the minimised
// first window back and ends with 0; a start in another folder opens a window of its own.
TEST(ProgramRun, OneWindowPerWorkingFolder) {
  testfs::TempFolder folder;
  testfs::TempFolder other;
  RunningProgram first(folder.Folder());
  ASSERT_NE(first.Window(), nullptr);
  ::ShowWindow(first.Window(), SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return ::IsIconic(first.Window()) != FALSE; }));

  std::string sameFolder = folder.Folder();
  ::CharUpperA(&sameFolder[0]);
  RunningProgram second(sameFolder, false);
  ASSERT_TRUE(second.EndsWithin(20000));
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_EQ(MainWindowCount(), 1);
  EXPECT_FALSE(::IsIconic(first.Window()));
  EXPECT_EQ(::GetForegroundWindow(), first.Window());

  RunningProgram third(other.Folder());
  EXPECT_NE(third.Window(), nullptr);
  EXPECT_EQ(MainWindowCount(), 2);
  EXPECT_TRUE(third.EndWithEsc());
  EXPECT_TRUE(first.EndWithEsc());
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
