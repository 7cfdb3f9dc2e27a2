// The plan file at start-up, at shutdown, and through Open and Save.
#include <gtest/gtest.h>

#include <cstring>

#include "MainDialogFixture.h"
#include "framework/MessagePump.h"
#include "ui/SrcFolderSetting.h"
#include "plan/DateName.h"
#include "plan/PlanWriter.h"
#include "res/resource.h"
#include "ui/DesFolderSetting.h"

namespace {

const char kStoredPlan[] =
    "<?xml version=\"1.0\" encoding=\"Shift-JIS\" ?>\r\n"
    "<Sheafkeeper desrootfolder=\"D:\\backup\\\">\r\n"
    "  <desfolder name=\"2006-05-01/docs\">\r\n"
    "    <srcfilepath>C:\\data\\a.txt</srcfilepath>\r\n"
    "    <srcfilepath>C:\\data\\ソ</srcfilepath>\r\n"
    "  </desfolder>\r\n"
    "  <nocopyfilepath>Thumbs.db</nocopyfilepath>\r\n"
    "</Sheafkeeper>\r\n";

TEST_F(MainDialogTest, StartUpLoadsTheAutomaticPlanRenamedToToday) {
  testfs::WriteFile(m_folder.Folder() + "temp.xml", kStoredPlan);
  CSheafkeeperDlg& dialog = Open();
  CDesFolderSetting& pane = DesPane(dialog);
  const std::string today = DateFolderName();

  EXPECT_EQ(pane.GetDesRoot(), "D:\\backup\\");
  EXPECT_EQ(CWnd(pane.GetDlgItem(IDC_DESROOT)).GetWindowText(), "D:\\backup\\");
  EXPECT_EQ(Tree(pane).GetItemText(TopFolder(pane)), today);
  HTREEITEM docs = Tree(pane).GetChildItem(TopFolder(pane));
  ASSERT_NE(docs, nullptr);
  EXPECT_EQ(pane.GetFolderKey(docs), today + "/docs");
  ASSERT_NE(dialog.GetFolderMap().Find(today + "/docs"), nullptr);
  EXPECT_EQ(*dialog.GetFolderMap().Find(today + "/docs"), (CSourceList{"C:\\data\\a.txt", "C:\\data\\ソ"}));
  EXPECT_TRUE(dialog.GetFolderMap().Contains(today));
  EXPECT_EQ(dialog.GetExclusionRows(), std::vector<std::string>{"Thumbs.db"});
}

TEST_F(MainDialogTest, WithoutAnAutomaticPlanTheWorkingFolderIsTheRoot) {
  CSheafkeeperDlg& dialog = Open();
  CDesFolderSetting& pane = DesPane(dialog);
  EXPECT_EQ(pane.GetDesRoot(), m_folder.Folder());
  EXPECT_EQ(CWnd(pane.GetDlgItem(IDC_DESROOT)).GetWindowText(), m_folder.Folder());
  EXPECT_EQ(Tree(pane).GetItemText(TopFolder(pane)), DateFolderName());
  EXPECT_EQ(dialog.GetFolderMap().Count(), 1u);
  EXPECT_EQ(Exclusions(dialog).GetItemCount(), 0);
}

TEST_F(MainDialogTest, ShutdownSavesThePlanAsTheAutomaticPlanAndReleasesIt) {
  testfs::WriteFile(m_folder.Folder() + "temp.xml", kStoredPlan);
  CSheafkeeperDlg& dialog = Open();
  dialog.GetFolderMap().Find(DateFolderName() + "/docs")->at(0).clear();  // a removed source
  const std::string expected =
      FormatPlan("D:\\backup\\", dialog.GetFolderMap(), std::vector<std::string>{"Thumbs.db"});
  dialog.DestroyWindow();

  std::string saved = testfs::ReadFile(m_folder.Folder() + "temp.xml");
  EXPECT_EQ(saved, expected);
  EXPECT_EQ(saved.find("a.txt"), std::string::npos);
  EXPECT_NE(saved.find("<srcfilepath>C:\\data\\ソ</srcfilepath>"), std::string::npos);
  EXPECT_EQ(dialog.GetFolderMap().Count(), 0u);
}

// A plan saved as UTF-16 by an editor holds no plan the reader can use: it is kept aside,
// replacing an older one, and the plan written at exit does not destroy it.
TEST_F(MainDialogTest, AnUnreadableAutomaticPlanIsKeptAsideBeforeTheShutdownSave) {
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string(kStoredPlan).substr(0, 120)) utf16 += std::string{c, '\0'};
  testfs::WriteFile(m_folder.Folder() + "temp.xml", utf16);
  testfs::WriteFile(m_folder.Folder() + "temp.xml.unreadable", "older");
  Open().DestroyWindow();

  EXPECT_EQ(testfs::ReadFile(m_folder.Folder() + "temp.xml.unreadable"), utf16);
  EXPECT_NE(testfs::ReadFile(m_folder.Folder() + "temp.xml").find(DateFolderName()), std::string::npos);
}

// Log-off or shutdown: the process ends after WM_ENDSESSION, with or without WM_DESTROY.
TEST_F(MainDialogTest, TheEndOfTheWindowsSessionSavesThePlanAndSizesOnce) {
  CSheafkeeperDlg& dialog = Open();
  const std::string plan = m_folder.Folder() + "temp.xml";
  const std::string settings = m_folder.Folder() + "Sheafkeeper.ini";
  dialog.AppendExclusion("x");
  dialog.SendMessage(WM_ENDSESSION, FALSE);  // the session goes on: nothing is saved
  EXPECT_EQ(testfs::ReadFile(plan), "<missing>");

  dialog.GetCopyRunView().BeginCopyMode();  // a copy run in progress does not hold the save back
  dialog.SendMessage(WM_ENDSESSION, TRUE);
  const std::string saved = FormatPlan(m_folder.Folder(), dialog.GetFolderMap(), std::vector<std::string>{"x"});
  EXPECT_EQ(testfs::ReadFile(plan), saved);
  EXPECT_EQ(testfs::ReadFile(settings), "[SHEAFKEEPER]\r\nLX=300\r\nRY=225\r\nCX=600\r\nCY=450\r\n");

  // What happens after the session's end writes nothing more.
  dialog.AppendExclusion("y");
  dialog.SetSize(700, 500);
  dialog.SendMessage(WM_ENDSESSION, TRUE);
  dialog.GetCopyRunView().EndCopyMode();
  dialog.DestroyWindow();
  EXPECT_EQ(testfs::ReadFile(plan), saved);
  EXPECT_EQ(testfs::ReadFile(settings), "[SHEAFKEEPER]\r\nLX=300\r\nRY=225\r\nCX=600\r\nCY=450\r\n");
}

// A folder name cut by the tree at a NUL byte is keyed as the tree holds it, so New
// removes it and no later save writes it.
TEST_F(MainDialogTest, AFolderNameWithANulByteLeavesNothingBehindAfterNew) {
  using namespace std::string_literals;
  testfs::WriteFile(m_folder.Folder() + "temp.xml",
                    "<Sheafkeeper><desfolder name=\"top\0x/b\"><srcfilepath>C:\\b</srcfilepath></desfolder>"
                    "</Sheafkeeper>\r\n"s);
  CSheafkeeperDlg& dialog = Open();
  EXPECT_TRUE(dialog.GetFolderMap().Contains("top"));
  EXPECT_TRUE(dialog.GetFolderMap().Contains("top/b"));
  Click(IDC_NEW);
  ASSERT_EQ(dialog.GetFolderMap().Walk().size(), 1u);
  EXPECT_EQ(dialog.GetFolderMap().Walk()[0].key, DateFolderName());
}

// Targets up to the 259 bytes the ANSI file functions take are written.
TEST_F(MainDialogTest, SaveWritesTargetsOfUpTo259Bytes) {
  CSheafkeeperDlg& dialog = Open();
  for (std::size_t length : {257u, 259u}) {
    std::string folder = m_folder.Folder() + std::string(length - m_folder.Folder().size() - 9, 'd');
    testfs::MakeFolder(folder);
    m_ui.fileAnswer = folder + "\\plan.xml";
    ASSERT_EQ(m_ui.fileAnswer.size(), length);
    Click(IDC_SAVE);
    EXPECT_EQ(testfs::ReadFile(m_ui.fileAnswer), FormatPlan(m_folder.Folder(), dialog.GetFolderMap(), {}));
    testfs::RemoveTree(folder);
  }
}

// A click on a folder in the tree makes the source pane list that folder's sources.
TEST_F(MainDialogTest, ClickingAFolderShowsItsSources) {
  testfs::MakeFolder(m_folder / "data");
  testfs::WriteFile(m_folder / "data\\a.txt", "a");
  std::string plan = kStoredPlan;
  plan.replace(plan.find("C:\\data\\a.txt"), std::strlen("C:\\data\\a.txt"), m_folder / "data\\a.txt");
  testfs::WriteFile(m_folder.Folder() + "temp.xml", plan);
  CSheafkeeperDlg& dialog = Open();
  CTreeCtrl tree = Tree(dialog);
  HTREEITEM docs = tree.GetChildItem(TopFolder(dialog));
  tree.Expand(TopFolder(dialog));
  RECT label{};
  TreeView_GetItemRect(tree.GetSafeHwnd(), docs, &label, TRUE);
  ::PostMessageA(tree.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(label.left + 3, label.top + 3));
  ::PostMessageA(tree.GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(label.left + 3, label.top + 3));
  PumpWaitingMessages();
  CSrcFolderSetting& sources = SrcPane(dialog);
  EXPECT_EQ(sources.GetShownKey(), DateFolderName() + "/docs");
  ASSERT_EQ(SourceRows(sources).GetItemCount(), 2);  // a.txt, and C:\data\ソ as a missing source
  EXPECT_EQ(SourceRows(sources).GetItemText(0, 0), "a.txt");
}

TEST_F(MainDialogTest, OpenReplacesThePlanAndSaveWritesIt) {
  CSheafkeeperDlg& dialog = Open();
  std::string plan = m_folder.Folder() + "plan.xml";
  testfs::WriteFile(plan, kStoredPlan);
  m_ui.fileAnswer = plan;
  Click(IDC_OPEN);
  EXPECT_EQ(DesPane(dialog).GetDesRoot(), "D:\\backup\\");
  EXPECT_TRUE(dialog.GetFolderMap().Contains(DateFolderName() + "/docs"));

  std::string copy = m_folder.Folder() + "copy.xml";
  m_ui.fileAnswer = copy;
  Click(IDC_SAVE);
  EXPECT_EQ(testfs::ReadFile(copy),
            FormatPlan("D:\\backup\\", dialog.GetFolderMap(), std::vector<std::string>{"Thumbs.db"}));
  EXPECT_EQ(PlanPath(), copy);
}

}  // namespace
