// The copy run in the main dialog: Enter on the Start button, the view over the command
// strip, the abort button clicked while a run is going, and linked daily snapshots.
#include <gtest/gtest.h>

#include <functional>

#include "MainDialogFixture.h"
#include "TreeListing.h"
#include "framework/MessagePump.h"
#include "plan/DateName.h"
#include "res/resource.h"
#include "ui/DesFolderSetting.h"
#include "ui/SrcFolderSetting.h"

namespace {

const char kCounting[] = "ｶｳﾝﾄ中...";
const char kCopying[] = "ｺﾋﾟｰ中 ";
const int kRunningLook[] = {IDC_PROGRESS, IDC_STATUS, IDC_ABORT};
const int kIdleLook[] = {IDOK, IDCANCEL, IDC_NEW, IDC_OPEN, IDC_SAVE};

bool Visible(CSheafkeeperDlg& dialog, int id) {
  return ::IsWindowVisible(dialog.GetDlgItem(id)) != FALSE;
}

// True when the controls of one look are shown and those of the other hidden.
bool InRunningLook(CSheafkeeperDlg& dialog) {
  bool running = true;
  for (int id : kRunningLook) running = running && Visible(dialog, id);
  for (int id : kIdleLook) running = running && !Visible(dialog, id);
  return running;
}
bool InIdleLook(CSheafkeeperDlg& dialog) {
  bool idle = true;
  for (int id : kRunningLook) idle = idle && !Visible(dialog, id);
  for (int id : kIdleLook) idle = idle && Visible(dialog, id);
  return idle;
}

int RangeUpper(CSheafkeeperDlg& dialog) {
  int lower = -1;
  int upper = -1;
  Progress(dialog).GetRange(lower, upper);
  EXPECT_EQ(lower, 0);
  return upper;
}

// A thread timer whose action runs each time the run's message pump dispatches it.
std::function<void()> g_tick;
void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
  if (g_tick) g_tick();
}
class Ticker {
 public:
  explicit Ticker(std::function<void()> action) : m_id(::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, OnTick)) {
    g_tick = std::move(action);
  }
  ~Ticker() {
    ::KillTimer(nullptr, m_id);
    g_tick = nullptr;
  }

 private:
  UINT_PTR m_id;
};

// A click of the left mouse button in a button, through the message queue.
void PostClick(HWND button) {
  ::PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

class CopyRunDialogTest : public MainDialogTest {
 protected:
  // A plan in the automatic plan file: root backup\ in the working folder, and a list of
  // source paths for the top folder, which takes today's date.
  CSheafkeeperDlg& OpenWithPlan(const std::vector<std::string>& sources) {
    std::string plan = "<Sheafkeeper desrootfolder=\"" + Backup() + "\\\">\r\n<desfolder name=\"2006-05-01\">\r\n";
    for (const std::string& source : sources) plan += "<srcfilepath>" + source + "</srcfilepath>\r\n";
    testfs::WriteFile(m_folder.Folder() + "temp.xml", plan + "</desfolder>\r\n</Sheafkeeper>\r\n");
    return Open();
  }
  std::string Backup() const { return m_folder / "backup"; }
  std::string Today() const { return Backup() + "\\" + DateFolderName(); }
  std::string Source(const std::string& name, const std::string& contents) {
    testfs::WriteFile(m_folder.Folder() + name, contents);
    return m_folder.Folder() + name;
  }
  // A source folder of count small files.
  std::string ManyFiles(int count) {
    const std::string folder = m_folder.Folder() + "many";
    testfs::MakeFolder(folder);
    for (int i = 0; i < count; ++i) testfs::WriteFile(folder + "\\" + std::to_string(i) + ".dat", "data");
    return folder;
  }
  // Enter, as a key to the focused Start button, through the message pump; the whole run
  // happens inside.
  void PressEnter() {
    ASSERT_EQ(::GetFocus(), m_dialog->GetDlgItem(IDOK));
    ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    ::PostMessageA(::GetFocus(), WM_KEYUP, VK_RETURN, 0xC01C0001);
    PumpWaitingMessages();
  }
};

TEST_F(CopyRunDialogTest, TheViewShowsTheCountFromOneToTheTotalInThirtyTwoBits) {
  CSheafkeeperDlg& dialog = Open();
  ICopyRunView& view = dialog.GetCopyRunView();
  view.BeginCopyMode();
  EXPECT_TRUE(InRunningLook(dialog));
  EXPECT_TRUE(dialog.IsBusy());
  EXPECT_FALSE(dialog.IsAbortRequested());
  EXPECT_EQ(RangeUpper(dialog), 1);
  EXPECT_EQ(Progress(dialog).GetPos(), 0);

  view.ShowCounting();
  view.SetProgressRange(0);
  EXPECT_EQ(Status(dialog).GetWindowText(), kCounting);
  EXPECT_EQ(RangeUpper(dialog), 0);

  view.SetProgressRange(70000);
  view.OnFileCopied("a.txt");
  view.ShowAborted();  // the last figures are drawn before the box
  EXPECT_EQ(Status(dialog).GetWindowText(), "ｺﾋﾟｰ中        1 /    70000  [ a.txt ]");
  EXPECT_EQ(Progress(dialog).GetPos(), 1);
  EXPECT_EQ(RangeUpper(dialog), 70000);

  // The figures are drawn when a quarter of a second has passed since the last time,
  // and when the run ends; a large file's name as soon as its copy starts.
  view.SetProgressRange(3);
  const char* shown[] = {"ｺﾋﾟｰ中        1 /        3  [ ソ表.txt ]", "ｺﾋﾟｰ中        2 /        3  [ ソ表.txt ]",
                         "ｺﾋﾟｰ中        3 /        3  [ ソ表.txt ]"};
  for (int i = 0; i < 3; ++i) {
    ::Sleep(260);
    view.OnFileCopied("ソ表.txt");
    EXPECT_EQ(Status(dialog).GetWindowText(), shown[i]);
    EXPECT_EQ(Progress(dialog).GetPos(), i + 1);
  }
  view.OnFileCopyStarting("b.txt");
  EXPECT_EQ(Status(dialog).GetWindowText(), "ｺﾋﾟｰ中        4 /        3  [ b.txt ]");
  view.OnFileCopied("b.txt");  // files beyond the count: the bar stays full
  view.OnFileCopied("c.txt");
  view.EndCopyMode();
  EXPECT_TRUE(InIdleLook(dialog));
  EXPECT_FALSE(dialog.IsBusy());
  EXPECT_TRUE(dialog.IsAbortRequested());
  EXPECT_EQ(Status(dialog).GetWindowText(), "ｺﾋﾟｰ中        4 /        3  [ c.txt ]");
  EXPECT_EQ(Progress(dialog).GetPos(), 3);
}

TEST_F(CopyRunDialogTest, EnterCopiesThePlanSilentlyAndAFailureIsShownInTheRunningLook) {
  const std::string missing = m_folder.Folder() + "gone/";
  // A name outside the code page is copied as it is and shown with "?".
  testfs::MakeFolder(m_folder.Folder() + "world");
  testfs::WriteFile(testfs::Wide(m_folder.Folder() + "world") + L"\\caf\u00E9.txt", "4444");
  CSheafkeeperDlg& dialog = OpenWithPlan(
      {Source("one.txt", "1"), Source("two.txt", "22"), "", Source("ソ表.txt", "333"), m_folder.Folder() + "world"});

  PressEnter();
  EXPECT_TRUE(m_ui.messages.empty());
  EXPECT_TRUE(InIdleLook(dialog));
  EXPECT_FALSE(dialog.IsBusy());
  EXPECT_EQ(Status(dialog).GetWindowText(), "ｺﾋﾟｰ中        4 /        4  [ caf?.txt ]");
  EXPECT_EQ(Progress(dialog).GetPos(), 4);
  EXPECT_EQ(testfs::ReadFile(Today() + "\\one.txt"), "1");
  EXPECT_EQ(testfs::ReadFile(Today() + "\\ソ表.txt"), "333");
  EXPECT_EQ(testfs::ReadFile(testfs::Wide(Today()) + L"\\world\\caf\u00E9.txt"), "4444");

  // A missing path in the middle of the list: the message names it as stored. The run
  // hid the focused Start button; the user puts the focus back on it.
  ::SetFocus(dialog.GetDlgItem(IDOK));
  dialog.GetFolderMap().Find(DateFolderName())->insert(dialog.GetFolderMap().Find(DateFolderName())->begin() + 1, missing);
  testfs::RemoveTree(Backup());
  bool runningLookWhileShown = false;
  m_ui.onMessage = [&] { runningLookWhileShown = InRunningLook(dialog) && dialog.IsBusy(); };
  PressEnter();
  ASSERT_EQ(m_ui.messages.size(), 1u);
  EXPECT_EQ(m_ui.messages[0].text, "[" + missing + "]のコピーに失敗しました");
  EXPECT_EQ(m_ui.messages[0].caption, CWinApp::GetAppName());
  EXPECT_EQ(m_ui.messages[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_TRUE(runningLookWhileShown);
  EXPECT_TRUE(InIdleLook(dialog));
  EXPECT_EQ(testfs::FilesIn(Backup()), 1);

  // Both runs are in the window's log, the failure with its reason.
  const std::string log = testfs::ReadFile(m_folder.Folder() + "Sheafkeeper.log");
  EXPECT_EQ(log.substr(0, 3), "\xEF\xBB\xBF");
  const std::string start = " start the window's plan to " + Backup() + "\\\r\n";
  EXPECT_NE(log.find(start), log.rfind(start)) << log;
  EXPECT_NE(log.find(" end completed: files copied: 4 of 4, 10 bytes, "), std::string::npos) << log;
  const std::string failed = " failed [" + missing + "] -> " + Today() + ": ";
  EXPECT_GT(log.find("\r\n", log.find(failed)), log.find(failed) + failed.size()) << "a reason follows\n" << log;
  EXPECT_NE(log.find(" end failed: files copied: 1 of 4, 1 bytes, "), std::string::npos) << log;
}

TEST_F(CopyRunDialogTest, TheAbortButtonStopsTheRunDuringTheCountAndDuringTheCopy) {
  const int kFiles = 5000;
  const std::string many = ManyFiles(kFiles);
  CSheafkeeperDlg& dialog = OpenWithPlan({many});
  struct Case {
    const char* when;
    std::string status;  // what the status line begins with when the button is clicked
  } cases[] = {{"counting", kCounting}, {"copying", kCopying}};
  for (const Case& c : cases) {
    testfs::RemoveTree(Backup());
    m_ui.messages.clear();
    int copiedAtClick = -1;
    {
      Ticker clicker([&] {
        if (copiedAtClick >= 0 || Status(dialog).GetWindowText().compare(0, c.status.size(), c.status) != 0) {
          return;
        }
        copiedAtClick = testfs::FilesIn(Backup());
        PostClick(dialog.GetDlgItem(IDC_ABORT));
      });
      PressEnter();
    }
    ASSERT_EQ(m_ui.messages.size(), 1u) << c.when;
    EXPECT_EQ(m_ui.messages[0].text, "コピーを中断しました") << c.when;
    EXPECT_TRUE(InIdleLook(dialog)) << c.when;
    EXPECT_TRUE(dialog.IsAbortRequested()) << c.when;
    EXPECT_EQ(Status(dialog).GetWindowText().compare(0, c.status.size(), c.status), 0) << c.when;
    // Only the file being copied at the click is completed after it.
    int copied = testfs::FilesIn(Backup());
    EXPECT_EQ(copied, Progress(dialog).GetPos()) << c.when;
    EXPECT_LE(copied, copiedAtClick + 1) << c.when;
    EXPECT_LT(copied, kFiles) << c.when;
    EXPECT_EQ(copied > 0, c.status == kCopying) << c.when;
    EXPECT_EQ(RangeUpper(dialog) == kFiles, c.status == kCopying) << c.when;  // the count stopped at the click
  }
}

// The end of a Windows session stops the run as Abort does, but the copy of the large file
// is stopped before the message returns, since the process may end right after it.
TEST_F(CopyRunDialogTest, AbortOrTheSessionsEndDuringALargeFileStopsTheRunAndLeavesNothingOfThatFile) {
  const std::string huge(256 << 20, 'h');
  CSheafkeeperDlg& dialog = OpenWithPlan({Source("huge.bin", huge), Source("after.txt", "a")});
  const std::string naming = "ｺﾋﾟｰ中        1 /        2  [ huge.bin ]";
  const std::string partial = Today() + "\\huge.bin.~sk-partial";
  bool partialAfterSessionEnd = true;
  for (bool sessionEnds : {false, true}) {
    m_ui.messages.clear();
    bool acted = false;  // while the file was being copied: the window answered meanwhile
    {
      Ticker actor([&] {
        if (acted || Status(dialog).GetWindowText() != naming || !testfs::Exists(partial)) return;
        acted = true;
        if (!sessionEnds) return PostClick(dialog.GetDlgItem(IDC_ABORT));
        dialog.SendMessage(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        partialAfterSessionEnd = testfs::Exists(partial);
      });
      PressEnter();
    }
    EXPECT_TRUE(acted) << sessionEnds;
    ASSERT_EQ(m_ui.messages.size(), 1u) << sessionEnds;
    EXPECT_EQ(m_ui.messages[0].text, "コピーを中断しました");
    EXPECT_TRUE(InIdleLook(dialog));
    EXPECT_EQ(Status(dialog).GetWindowText(), naming);
    EXPECT_EQ(testfs::FilesIn(Today()), 0) << sessionEnds;
    ::SetFocus(dialog.GetDlgItem(IDOK));
  }
  EXPECT_FALSE(partialAfterSessionEnd);
}

// The session's end waits for the run too: the window asks Windows to wait while it runs.
TEST_F(CopyRunDialogTest, DuringARunStartExitAndTheSessionsEndAreRefusedAndAFolderStillShowsItsSources) {
  const int kFiles = 300;
  CSheafkeeperDlg& dialog = OpenWithPlan({ManyFiles(kFiles)});
  CDesFolderSetting& tree = DesPane(dialog);
  CSrcFolderSetting& sources = SrcPane(dialog);
  bool pressed = false;
  bool stillRunning = false;
  LRESULT mayEndSession = -1;
  std::string shownKey = "(none)";
  int shownRows = -1;
  {
    Ticker presser([&] {
      // A copied file marks the copy; the status line is drawn too seldom to tell in time.
      if (pressed || !dialog.IsBusy() || testfs::FilesIn(Backup()) == 0) return;
      pressed = true;
      for (int id : {IDOK, IDCANCEL}) dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED));
      dialog.SendMessage(WM_CLOSE);
      mayEndSession = dialog.SendMessage(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
      stillRunning = dialog.IsBusy() && InRunningLook(dialog);
      Tree(tree).SelectItem(nullptr);
      Tree(tree).SelectItem(TopFolder(tree));
      shownKey = sources.GetShownKey();
      shownRows = SourceRows(sources).GetItemCount();
    });
    PressEnter();
  }
  EXPECT_TRUE(pressed);
  EXPECT_TRUE(stillRunning);
  EXPECT_EQ(mayEndSession, FALSE);
  EXPECT_EQ(dialog.SendMessage(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  EXPECT_EQ(shownKey, DateFolderName());
  EXPECT_EQ(shownRows, 1);
  EXPECT_TRUE(dialog.IsWindow());
  EXPECT_TRUE(m_ui.messages.empty());
  EXPECT_EQ(testfs::FilesIn(Backup()), kFiles);
  EXPECT_EQ(Progress(dialog).GetPos(), kFiles);
}


// The link choice, checked through the system menu, outlives a restart; a day's Start then
// links each file unchanged since the newest earlier dated folder and copies the others.
TEST_F(CopyRunDialogTest, WithTheLinkChoiceADayLinksUnchangedFilesToTheEarlierDay) {
  const std::string same = Source("same.txt", "same");
  const std::string changed = Source("changed.txt", "old");
  for (const std::string& source : {same, changed}) testfs::SetOldWriteTime(source);
  const std::string settings = m_folder.Folder() + "Sheafkeeper.ini";
  auto checked = [&] {
    HMENU menu = ::GetSystemMenu(m_dialog->GetSafeHwnd(), FALSE);
    const UINT state = ::GetMenuState(menu, IDM_LINK_UNCHANGED, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
  };
  auto pickLinkItem = [&] {
    ::PostMessageA(m_dialog->GetSafeHwnd(), WM_SYSCOMMAND, IDM_LINK_UNCHANGED, 0);
    PumpWaitingMessages();
  };
  OpenWithPlan({same, changed});
  EXPECT_FALSE(checked());
  pickLinkItem();
  EXPECT_TRUE(checked());
  EXPECT_EQ(::GetPrivateProfileIntA("SHEAFKEEPER", "LK", -1, settings.c_str()), 1);
  PressEnter();  // day 1: nothing earlier to link to
  const std::string earlier = Backup() + "\\2000-01-01";
  ASSERT_TRUE(::MoveFileA(Today().c_str(), earlier.c_str()));
  Source("changed.txt", "new!");

  m_dialog->ShowWindow(SW_HIDE);
  m_dialog.reset();
  CSheafkeeperDlg& dialog = Open();
  EXPECT_TRUE(checked());
  PressEnter();
  EXPECT_TRUE(m_ui.messages.empty());
  EXPECT_EQ(Progress(dialog).GetPos(), 2);
  EXPECT_EQ(testfs::FileIdentity(Today() + "\\same.txt"), testfs::FileIdentity(earlier + "\\same.txt"));
  EXPECT_EQ(testfs::FileIdentity(Today() + "\\same.txt").second, 2u);
  EXPECT_EQ(testfs::FileIdentity(Today() + "\\changed.txt").second, 1u);
  EXPECT_EQ(testfs::ReadFile(Today() + "\\changed.txt"), "new!");
  EXPECT_EQ(testfs::ReadFile(earlier + "\\changed.txt"), "old");

  pickLinkItem();
  EXPECT_FALSE(checked());
  EXPECT_EQ(::GetPrivateProfileIntA("SHEAFKEEPER", "LK", -1, settings.c_str()), 0);
}

}  // namespace
