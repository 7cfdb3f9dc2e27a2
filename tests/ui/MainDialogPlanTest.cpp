// The plan file at start-up, at shutdown, and through Open and Save.
#include <gtest/gtest.h>

#include "MainDialogFixture.h"
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
  CDesFolderSetting& pane = *dialog.m_pDesFolderSetting;
  const std::string today = DateFolderName();

  EXPECT_EQ(pane.m_strDesRoot, "D:\\backup\\");
  EXPECT_EQ(CWnd(pane.GetDlgItem(IDC_DESROOT)).GetWindowText(), "D:\\backup\\");
  EXPECT_EQ(pane.m_tree.GetItemText(pane.m_hTopFolder), today);
  HTREEITEM docs = pane.m_tree.GetChildItem(pane.m_hTopFolder);
  ASSERT_NE(docs, nullptr);
  EXPECT_EQ(pane.GetFolderKey(docs), today + "/docs");
  ASSERT_NE(dialog.m_mapFolder.Find(today + "/docs"), nullptr);
  EXPECT_EQ(*dialog.m_mapFolder.Find(today + "/docs"), (CSourceList{"C:\\data\\a.txt", "C:\\data\\ソ"}));
  EXPECT_TRUE(dialog.m_mapFolder.Contains(today));
  EXPECT_EQ(dialog.GetExclusionRows(), std::vector<std::string>{"Thumbs.db"});
}

TEST_F(MainDialogTest, WithoutAnAutomaticPlanTheWorkingFolderIsTheRoot) {
  CSheafkeeperDlg& dialog = Open();
  CDesFolderSetting& pane = *dialog.m_pDesFolderSetting;
  EXPECT_EQ(pane.m_strDesRoot, m_folder.Folder());
  EXPECT_EQ(CWnd(pane.GetDlgItem(IDC_DESROOT)).GetWindowText(), m_folder.Folder());
  EXPECT_EQ(pane.m_tree.GetItemText(pane.m_hTopFolder), DateFolderName());
  EXPECT_EQ(dialog.m_mapFolder.Count(), 1u);
  EXPECT_EQ(dialog.m_listNoCopy.GetItemCount(), 0);
}

TEST_F(MainDialogTest, ShutdownSavesThePlanAsTheAutomaticPlanAndReleasesIt) {
  testfs::WriteFile(m_folder.Folder() + "temp.xml", kStoredPlan);
  CSheafkeeperDlg& dialog = Open();
  dialog.m_mapFolder.Find(DateFolderName() + "/docs")->at(0).clear();  // a removed source
  const std::string expected =
      FormatPlan("D:\\backup\\", dialog.m_mapFolder, std::vector<std::string>{"Thumbs.db"});
  dialog.DestroyWindow();

  std::string saved = testfs::ReadFile(m_folder.Folder() + "temp.xml");
  EXPECT_EQ(saved, expected);
  EXPECT_EQ(saved.find("a.txt"), std::string::npos);
  EXPECT_NE(saved.find("<srcfilepath>C:\\data\\ソ</srcfilepath>"), std::string::npos);
  EXPECT_EQ(dialog.m_mapFolder.Count(), 0u);
}

TEST_F(MainDialogTest, OpenReplacesThePlanAndSaveWritesIt) {
  CSheafkeeperDlg& dialog = Open();
  std::string plan = m_folder.Folder() + "plan.xml";
  testfs::WriteFile(plan, kStoredPlan);
  m_ui.fileAnswer = plan;
  Click(IDC_OPEN);
  EXPECT_EQ(dialog.m_pDesFolderSetting->m_strDesRoot, "D:\\backup\\");
  EXPECT_TRUE(dialog.m_mapFolder.Contains(DateFolderName() + "/docs"));

  std::string copy = m_folder.Folder() + "copy.xml";
  m_ui.fileAnswer = copy;
  Click(IDC_SAVE);
  EXPECT_EQ(testfs::ReadFile(copy),
            FormatPlan("D:\\backup\\", dialog.m_mapFolder, std::vector<std::string>{"Thumbs.db"}));
  EXPECT_EQ(dialog.m_strPlanPath, copy);
}

}  // namespace
