#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>

#include "MainDialogFixture.h"
#include "plan/DateName.h"
#include "res/resource.h"
#include "ui/AboutDlg.h"
#include "ui/DesFolderSetting.h"

namespace {

const DWORD kPlanFileOptions = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST | OFN_LONGNAMES;

bool Visible(CSheafkeeperDlg& dialog, int id) { return ::IsWindowVisible(dialog.GetDlgItem(id)) != FALSE; }

TEST_F(MainDialogTest, StartsIdleWithTheCommandButtonsShownAndTheProgressControlsHidden) {
  CSheafkeeperDlg& dialog = Open();
  for (int id : {IDOK, IDCANCEL, IDC_NEW, IDC_OPEN, IDC_SAVE}) EXPECT_TRUE(Visible(dialog, id)) << id;
  for (int id : {IDC_PROGRESS, IDC_STATUS, IDC_ABORT}) EXPECT_FALSE(Visible(dialog, id)) << id;
  EXPECT_FALSE(dialog.IsBusy());
  EXPECT_TRUE(dialog.IsAbortRequested());
  EXPECT_EQ(dialog.GetWorkDir(), m_folder.Folder());
  EXPECT_EQ(PlanPath(), "");
  EXPECT_EQ(::GetFocus(), dialog.GetDlgItem(IDOK));

  // Enter is the Start command: it never closes the window.
  Click(IDOK);
  EXPECT_TRUE(dialog.IsWindow());
}

TEST_F(MainDialogTest, CommandsDoNothingWhileACopyRunIsBusy) {
  CSheafkeeperDlg& dialog = Open();
  HTREEITEM top = TopFolder(dialog);
  m_ui.fileAnswer = m_folder.Folder() + "plan.xml";
  dialog.GetCopyRunView().BeginCopyMode();
  for (int id : {IDC_NEW, IDC_OPEN, IDC_SAVE, IDCANCEL, IDOK}) Click(id);
  dialog.SendMessage(WM_CLOSE);
  EXPECT_TRUE(dialog.IsWindow());
  EXPECT_TRUE(m_ui.fileRequests.empty());
  EXPECT_EQ(TopFolder(dialog), top);

  EXPECT_FALSE(dialog.IsAbortRequested());
  Click(IDC_ABORT);  // the one command that acts during a run
  EXPECT_TRUE(dialog.IsAbortRequested());

  dialog.GetCopyRunView().EndCopyMode();
  EXPECT_EQ(PlanPath(), "");
  Click(IDCANCEL);
  EXPECT_FALSE(dialog.IsWindow());
}

TEST_F(MainDialogTest, OpenAsksForAnExistingPlanFileAndKeepsItsPathEvenWithoutAPlan) {
  CSheafkeeperDlg& dialog = Open();
  std::string notAPlan = m_folder.Folder() + "notes.xml";
  testfs::WriteFile(notAPlan, "no plan here\r\n");

  Click(IDC_OPEN);  // cancelled
  EXPECT_EQ(PlanPath(), "");
  m_ui.fileAnswer = notAPlan;
  Click(IDC_OPEN);

  ASSERT_EQ(m_ui.fileRequests.size(), 2u);
  const FileDialogRequest& request = m_ui.fileRequests[1];
  EXPECT_TRUE(request.open);
  EXPECT_EQ(request.owner, dialog.GetSafeHwnd());
  EXPECT_EQ(request.defaultExt, ".xml");
  EXPECT_EQ(request.initialName, "");
  EXPECT_EQ(request.filter, "XML形式(*.XML)|*.XML||");
  EXPECT_EQ(request.flags, kPlanFileOptions);
  EXPECT_EQ(PlanPath(), notAPlan);
}

TEST_F(MainDialogTest, SaveSuggestsTheLastPlanPathAndTakesTheChosenOne) {
  Open();
  Click(IDC_SAVE);  // cancelled: nothing changes
  m_ui.fileAnswer = "C:\\plans\\a.xml";
  Click(IDC_OPEN);
  m_ui.fileAnswer = m_folder.Folder() + "b.xml";
  Click(IDC_SAVE);

  ASSERT_EQ(m_ui.fileRequests.size(), 3u);
  EXPECT_FALSE(m_ui.fileRequests[0].open);
  EXPECT_EQ(m_ui.fileRequests[0].initialName, "");
  EXPECT_EQ(m_ui.fileRequests[2].initialName, "C:\\plans\\a.xml");
  EXPECT_EQ(m_ui.fileRequests[2].flags, kPlanFileOptions);
  EXPECT_EQ(m_ui.fileRequests[2].defaultExt, ".xml");
  EXPECT_EQ(PlanPath(), m_folder.Folder() + "b.xml");
}

TEST_F(MainDialogTest, NewGivesAFreshTopFolderAndKeepsRootExclusionsAndPlanPath) {
  CSheafkeeperDlg& dialog = Open();
  m_ui.fileAnswer = "C:\\plans\\a.xml";
  Click(IDC_OPEN);
  m_ui.folderAnswer = "C:\\";
  CWnd(FindControl(dialog, IDC_DESROOT_BROWSE)).SendMessage(BM_CLICK);
  CDesFolderSetting& pane = DesPane(dialog);
  Tree(pane).InsertItem("docs", 0, 1, TopFolder(pane));
  dialog.GetFolderMap().GetOrCreate(DateFolderName() + "/docs").push_back("C:\\a");
  Exclusions(dialog).InsertItem(0, "Thumbs.db");
  ASSERT_EQ(pane.GetDesRoot(), "C:\\");

  Click(IDC_NEW);

  EXPECT_EQ(Tree(pane).GetItemText(TopFolder(pane)), DateFolderName());
  EXPECT_EQ(Tree(pane).GetChildItem(TopFolder(pane)), nullptr);
  EXPECT_EQ(Tree(pane).GetSelectedItem(), nullptr);
  ASSERT_EQ(dialog.GetFolderMap().Walk().size(), 1u);
  EXPECT_EQ(dialog.GetFolderMap().Walk()[0].key, DateFolderName());
  EXPECT_EQ(dialog.GetFolderMap().Walk()[0].sources, nullptr);
  EXPECT_EQ(dialog.GetExclusionRows(), std::vector<std::string>{"Thumbs.db"});
  EXPECT_EQ(pane.GetDesRoot(), "C:\\");
  EXPECT_EQ(PlanPath(), "C:\\plans\\a.xml");
}

// The About item after a separator, and under it the link choice, unchecked at first.
TEST_F(MainDialogTest, TheSystemMenuOffersTheAboutBoxAndTheLinkChoice) {
  CSheafkeeperDlg& dialog = Open();
  HMENU menu = ::GetSystemMenu(dialog.GetSafeHwnd(), FALSE);
  char text[128] = "";
  ASSERT_GT(::GetMenuStringA(menu, IDM_ABOUTBOX, text, sizeof(text), MF_BYCOMMAND), 0);
  EXPECT_STREQ(text, "バージョン情報 Sheafkeeper(&A)...");
  ASSERT_GT(::GetMenuStringA(menu, IDM_LINK_UNCHANGED, text, sizeof(text), MF_BYCOMMAND), 0);
  EXPECT_STREQ(text, "変更のないファイルはリンクする(&L)");
  int count = ::GetMenuItemCount(menu);
  EXPECT_EQ(::GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_LINK_UNCHANGED));
  EXPECT_EQ(::GetMenuState(menu, count - 1, MF_BYPOSITION) & MF_CHECKED, 0u);
  EXPECT_EQ(::GetMenuItemID(menu, count - 2), static_cast<UINT>(IDM_ABOUTBOX));
  EXPECT_EQ(::GetMenuState(menu, count - 3, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));

  dialog.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX);
  dialog.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3);  // the low four bits are the system's
  EXPECT_EQ(m_ui.dialogs, (std::vector<UINT>{IDD_ABOUTBOX, IDD_ABOUTBOX}));
}

TEST(AboutBox, ShowsTheNameAndVersion) {
  CAboutDlg about;
  ASSERT_TRUE(about.Create(nullptr));
  EXPECT_EQ(about.GetWindowText(), "バージョン情報 Sheafkeeper");
  bool found = false;
  for (HWND child = ::GetWindow(about.GetSafeHwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    found = found || CWnd(child).GetWindowText() == "Sheafkeeper Version 1.0";
  }
  EXPECT_TRUE(found);
  about.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
  EXPECT_FALSE(about.IsWindow());
}

}  // namespace
