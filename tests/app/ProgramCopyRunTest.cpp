// The real program copies the plan it finds in its working folder when Enter is pressed.
#include <windows.h>

#include <gtest/gtest.h>

#include "RunningProgram.h"
#include "TempFolder.h"
#include "TreeListing.h"
#include "plan/DateName.h"

namespace {

// The window that the program's main window owns, a message box while one is shown.
HWND OwnedWindow(HWND mainWindow) {
  struct Search {
    HWND owner;
    HWND found;
  } search{mainWindow, nullptr};
  ::EnumWindows(
      [](HWND window, LPARAM lParam) -> BOOL {
        Search* search = reinterpret_cast<Search*>(lParam);
        if (::GetWindow(window, GW_OWNER) != search->owner || !::IsWindowVisible(window)) return TRUE;
        search->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST(ProgramCopyRun, EnterCopiesThePlanByteForByteWithExclusionsWildcardsAndShiftJisNames) {
  testfs::TempFolder folder;
  const std::string src = folder / "src";
  for (const char* name :
       {"src", "src\\docs", "src\\docs\\sub", "src\\docs\\Thumbs.db", "src\\docs\\e", "src\\one", "src\\表"}) {
    testfs::MakeFolder(folder / name);
  }
  for (const char* name : {"src\\docs\\a.txt", "src\\docs\\ソ表.txt", "src\\docs\\THUMBS.DB", "src\\docs\\sub\\b.dat",
                           "src\\docs\\sub\\thumbs.db", "src\\docs\\Thumbs.db\\inside.txt", "src\\one\\x.txt",
                           "src\\one\\y.log", "src\\表\\ソ.txt"}) {
    testfs::WriteFile(folder / name, std::string(name) + std::string(3000, '\x81'));
    testfs::SetOldWriteTime(folder / name);
  }
  const std::string plan[] = {
      "<?xml version=\"1.0\" encoding=\"Shift-JIS\" ?>",
      "<Sheafkeeper desrootfolder=\"" + folder.Folder() + "dest\\\">",
      "  <desfolder name=\"2006-05-01\">",
      "    <srcfilepath>" + src + "\\docs</srcfilepath>",
      "    <srcfilepath>" + src + "\\one\\*.txt</srcfilepath>",
      "  </desfolder>",
      "  <desfolder name=\"2006-05-01/ソ表\">",
      "    <srcfilepath>" + src + "/表/ソ.txt</srcfilepath>",
      "  </desfolder>",
      "  <nocopyfilepath>thumbs.db</nocopyfilepath>",
      "</Sheafkeeper>",
  };
  std::string planText;
  for (const std::string& line : plan) planText += line + "\r\n";
  testfs::WriteFile(folder / "temp.xml", planText);
  testfs::Listing expected = {{"docs\\", "<folder>"}, {"ソ表\\", "<folder>"}};
  for (const auto& entry : testfs::ListTree(src + "\\docs", {"thumbs.db"})) {
    expected["docs\\" + entry.first] = entry.second;
  }
  expected["x.txt"] = testfs::ListTree(src + "\\one")["x.txt"];
  expected["ソ表\\ソ.txt"] = testfs::ListTree(src + "\\表")["ソ.txt"];
  ASSERT_EQ(expected.size(), 9u);

  RunningProgram program(folder.Folder());
  ASSERT_NE(program.Window(), nullptr);
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  ASSERT_TRUE(::GetGUIThreadInfo(::GetWindowThreadProcessId(program.Window(), nullptr), &thread));
  HWND start = program.Child("開始");
  ASSERT_EQ(thread.hwndFocus, start);
  ::PostMessageA(start, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  ::PostMessageA(start, WM_KEYUP, VK_RETURN, 0xC01C0001);

  const std::string today = folder.Folder() + "dest\\" + DateFolderName();
  EXPECT_TRUE(WaitFor([&] { return testfs::ListTree(today) == expected && ::IsWindowVisible(start); }));
  EXPECT_EQ(testfs::ListTree(today), expected);
  EXPECT_TRUE(program.EndWithEsc());
}

// Folders named ".." in a plan file would lead the run two levels above its root: the run
// refuses them with its failure message, and nothing anywhere above the root changes.
TEST(ProgramCopyRun, FoldersNamedDotDotWriteNothingOutsideTheRoot) {
  testfs::TempFolder folder;
  for (const char* name : {"d", "d\\inner", "src"}) testfs::MakeFolder(folder / name);
  testfs::WriteFile(folder / "src\\c.txt", "new");
  testfs::WriteFile(folder / "c.txt", "the user's own file");
  const std::string source = folder / "src\\c.txt";
  testfs::WriteFile(folder / "temp.xml", "<Sheafkeeper desrootfolder=\"" + folder.Folder() + "d\\inner\\\">\r\n"
                                         "<desfolder name=\"..\"></desfolder>\r\n"
                                         "<desfolder name=\"../..\"><srcfilepath>" + source +
                                         "</srcfilepath></desfolder>\r\n</Sheafkeeper>\r\n");
  const testfs::Listing before = testfs::ListTree(folder.Folder());

  RunningProgram program(folder.Folder());
  ASSERT_NE(program.Window(), nullptr);
  HWND start = program.Child("開始");
  PostKeyPress(start, VK_RETURN);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = OwnedWindow(program.Window())) != nullptr; }));
  char text[512] = "";
  ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  EXPECT_EQ(std::string(text), "[" + source + "]のコピーに失敗しました");
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(start) != FALSE; }));
  EXPECT_EQ(testfs::ListTree(folder.Folder()), before);
  EXPECT_TRUE(program.EndWithEsc());
}

}  // namespace
