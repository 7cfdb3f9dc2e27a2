// Keys typed in the panes and in the main dialog, through the framework's own input
// handling (the modal loop's, shared by the message pump) and through the real program.
#include <gtest/gtest.h>

#include <vector>

#include "MainDialogFixture.h"
#include "RunningProgram.h"
#include "framework/MessagePump.h"
#include "plan/DateName.h"
#include "res/resource.h"
#include "ui/DesFolderSetting.h"
#include "ui/SrcFolderSetting.h"

namespace {

// Records the commands that reach one window while it lives.
class CommandRecorder {
 public:
  explicit CommandRecorder(HWND window) {
    s_window = window;
    s_commands.clear();
    m_hook = ::SetWindowsHookExA(WH_CALLWNDPROC, Record, nullptr, ::GetCurrentThreadId());
  }
  ~CommandRecorder() { ::UnhookWindowsHookEx(m_hook); }
  static std::vector<int>& Commands() { return s_commands; }

 private:
  static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->hwnd == s_window && call->message == WM_COMMAND) {
      s_commands.push_back(LOWORD(call->wParam));
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline HWND s_window = nullptr;
  static inline std::vector<int> s_commands;
  HHOOK m_hook;
};

void Type(HWND focus, WPARAM key) {
  ::SetFocus(focus);
  PostKeyPress(focus, key);
  PumpWaitingMessages();
}

TEST_F(MainDialogTest, EnterAndEscInAPaneStayInThePane) {
  CSheafkeeperDlg& dialog = Open();
  CDesFolderSetting& des = DesPane(dialog);
  CSrcFolderSetting& src = SrcPane(dialog);
  CommandRecorder recorder(dialog.GetSafeHwnd());
  const HWND focusable[] = {Tree(des).GetSafeHwnd(), des.GetDlgItem(IDC_DESROOT), des.GetDlgItem(IDC_DESROOT_BROWSE),
                            SourceRows(src).GetSafeHwnd(), SourceFolder(src).GetSafeHwnd()};
  for (HWND control : focusable) {
    for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
      Type(control, key);
      ASSERT_TRUE(dialog.IsWindow()) << ::GetDlgCtrlID(control) << " key " << key;
    }
  }
  EXPECT_TRUE(recorder.Commands().empty());
  EXPECT_TRUE(m_ui.browseTitles.empty());  // Enter on "..." opens no folder browser

  // Enter with the focus on the exclusion list or on Start is the Start command; Esc on
  // a button of the main dialog is Cancel and ends it.
  Type(Exclusions(dialog).GetSafeHwnd(), VK_RETURN);
  Type(dialog.GetDlgItem(IDOK), VK_RETURN);
  EXPECT_EQ(recorder.Commands(), (std::vector<int>{IDOK, IDOK}));
  Type(dialog.GetDlgItem(IDC_NEW), VK_ESCAPE);
  EXPECT_FALSE(dialog.IsWindow());
  EXPECT_NE(testfs::ReadFile(m_folder.Folder() + "temp.xml"), "<missing>");
}

TEST_F(MainDialogTest, TabRunsThroughThePanesAndOnToTheMainDialog) {
  CSheafkeeperDlg& dialog = Open();
  CDesFolderSetting& des = DesPane(dialog);
  CSrcFolderSetting& src = SrcPane(dialog);
  ::SetFocus(Tree(des).GetSafeHwnd());
  const HWND order[] = {des.GetDlgItem(IDC_DESROOT_BROWSE), SourceFolder(src).GetSafeHwnd(),
                        SourceRows(src).GetSafeHwnd(), dialog.GetDlgItem(IDOK)};
  for (HWND expected : order) {
    Type(::GetFocus(), VK_TAB);
    EXPECT_EQ(::GetFocus(), expected) << ::GetDlgCtrlID(expected);
  }
}

TEST(ProgramKeys, EscAndEnterInThePanesKeepTheProgramRunningEscOnAButtonEndsIt) {
  testfs::TempFolder folder;
  RunningProgram program(folder.Folder());
  ASSERT_NE(program.Window(), nullptr);
  HWND des = ::FindWindowExA(program.Window(), nullptr, "#32770", nullptr);
  HWND src = ::FindWindowExA(program.Window(), des, "#32770", nullptr);
  for (HWND control : {::GetDlgItem(des, IDC_DESTREE), ::GetDlgItem(src, IDC_SRCLIST)}) {
    PostKeyPress(control, VK_ESCAPE);
    PostKeyPress(control, VK_RETURN);
  }
  EXPECT_FALSE(program.EndsWithin(1000));
  EXPECT_EQ(testfs::ReadFile(folder.Folder() + "temp.xml"), "<missing>");

  PostKeyPress(::GetDlgItem(program.Window(), IDC_SAVE), VK_ESCAPE);
  ASSERT_TRUE(program.EndsWithin(20000));
  EXPECT_NE(testfs::ReadFile(folder.Folder() + "temp.xml").find(DateFolderName()), std::string::npos);
}

}  // namespace
