#include "framework/Dialog.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

const UINT kAnswerMessage = WM_APP + 1;
const UINT kDeclinedMessage = WM_APP + 2;
const UINT kThrowingMessage = WM_APP + 3;

// A dialog on the About template with a small message table of its own.
class TableDialog : public CDialog {
 public:
  explicit TableDialog(HWND parent = nullptr) : CDialog(IDD_ABOUTBOX, parent) {}

  bool endOnInit = false;
  int okClicks = 0;
  int keysSeen = 0;

 protected:
  static const MessageTable& Table() {
    static const MessageEntry kMessages[] = {
        OnMessage(kAnswerMessage, &TableDialog::OnAnswer),
        OnMessage(kDeclinedMessage, &TableDialog::OnDeclined),
        OnMessage(kThrowingMessage, &TableDialog::OnThrowing),
    };
    static const MessageTable kTable = MakeMessageTable(kMessages);
    return kTable;
  }
  MessageTable GetMessageTable() const override { return Table(); }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    if (endOnInit) ::PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return TRUE;
  }
  void OnOK() override {
    ++okClicks;
    CDialog::OnOK();
  }
  bool PreTranslateMessage(MSG& msg) override {
    if (msg.message != WM_KEYDOWN) return false;
    ++keysSeen;
    return true;
  }

 private:
  LRESULT OnAnswer(WPARAM wParam, LPARAM, bool&) { return static_cast<LRESULT>(wParam) * 2; }
  LRESULT OnDeclined(WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 99;
  }
  LRESULT OnThrowing(WPARAM, LPARAM, bool&) { throw std::runtime_error("handler failed"); }
};

TEST(DialogMessageTable, RoutesToHandlersAndLetsDeclinedMessagesThrough) {
  TableDialog dialog;
  ASSERT_TRUE(dialog.Create(nullptr));
  EXPECT_EQ(dialog.SendMessage(kAnswerMessage, 21), 42);
  EXPECT_EQ(dialog.SendMessage(kDeclinedMessage), 0);  // default handling, not the handler's 99
  std::vector<std::string> faults;
  CDialog::SetFaultReporter([&faults](const std::string& description) { faults.push_back(description); });
  EXPECT_EQ(dialog.SendMessage(kThrowingMessage, 7), 0);  // the exception stops at the window procedure
  CDialog::SetFaultReporter(nullptr);
  const std::string fault = "exception in dialog 100 handling message 0x8003 (wParam 0x7, lParam 0x0): handler failed";
  EXPECT_EQ(faults, std::vector<std::string>{fault});
  EXPECT_TRUE(dialog.IsWindow());
  EXPECT_EQ(CDialog::FromHandle(dialog.GetSafeHwnd()), &dialog);
}

// A table that names TableDialog's as its base, replaces one of its rows and takes a key
// notification as its structure.
class ChainedDialog : public TableDialog {
 public:
  UINT keySeen = 0;

 protected:
  MessageTable GetMessageTable() const override {
    static const MessageEntry kMessages[] = {
        OnMessage(kDeclinedMessage, &ChainedDialog::OnAccepted),
        OnNotify<&ChainedDialog::OnKeyDown>(IDOK, LVN_KEYDOWN),
    };
    return MakeMessageTable(kMessages, &Table());
  }

 private:
  LRESULT OnAccepted(WPARAM, LPARAM, bool&) { return 7; }
  LRESULT OnKeyDown(const NMLVKEYDOWN& key) {
    keySeen = key.wVKey;
    return 5;
  }
};

TEST(DialogMessageTable, OwnRowsComeBeforeTheBaseTableAndNotificationsArriveTyped) {
  ChainedDialog dialog;
  ASSERT_TRUE(dialog.Create(nullptr));
  EXPECT_EQ(dialog.SendMessage(kAnswerMessage, 21), 42);
  EXPECT_EQ(dialog.SendMessage(kDeclinedMessage), 7);
  NMLVKEYDOWN key{{dialog.GetDlgItem(IDOK), IDOK, static_cast<UINT>(LVN_KEYDOWN)}, VK_DELETE, 0};
  EXPECT_EQ(dialog.SendMessage(WM_NOTIFY, IDOK, reinterpret_cast<LPARAM>(&key)), 5);
  EXPECT_EQ(dialog.keySeen, static_cast<UINT>(VK_DELETE));
  key.hdr.code = NM_RCLICK;
  EXPECT_EQ(dialog.SendMessage(WM_NOTIFY, IDOK, reinterpret_cast<LPARAM>(&key)), 0);
}

TEST(DialogMessageTable, DefaultCancelDestroysAModelessDialog) {
  TableDialog dialog;
  ASSERT_TRUE(dialog.Create(nullptr));
  HWND window = dialog.GetSafeHwnd();
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
  EXPECT_EQ(CDialog::FromHandle(window), nullptr);
}

TEST(DialogModal, RunsItsOwnLoopUntilEndDialogAndDestroysTheWindow) {
  TableDialog dialog;
  dialog.endOnInit = true;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.okClicks, 1);
  EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST(DialogModal, OwnerIsDisabledDuringTheLoopAndEnabledAfterwards) {
  TableDialog owner;
  ASSERT_TRUE(owner.Create(nullptr));

  class Probe : public TableDialog {
   public:
    explicit Probe(HWND ownerWindow) : TableDialog(ownerWindow), owner(ownerWindow) {}
    HWND owner;
    bool ownerEnabledDuringLoop = true;

   protected:
    BOOL OnInitDialog() override {
      TableDialog::OnInitDialog();
      ::PostMessageA(m_hWnd, kAnswerMessage + 100, 0, 0);
      return TRUE;
    }
    MessageTable GetMessageTable() const override {
      static const MessageEntry kMessages[] = {OnMessage(kAnswerMessage + 100, &Probe::OnCheck)};
      return MessageTable{kMessages, 1};
    }

   private:
    LRESULT OnCheck(WPARAM, LPARAM, bool&) {
      ownerEnabledDuringLoop = ::IsWindowEnabled(owner) != FALSE;
      EndDialog(IDCANCEL);
      return 0;
    }
  };
  Probe probe(owner.GetSafeHwnd());
  EXPECT_EQ(probe.DoModal(), IDCANCEL);
  EXPECT_FALSE(probe.ownerEnabledDuringLoop);
  EXPECT_TRUE(::IsWindowEnabled(owner.GetSafeHwnd()));
}

TEST(DialogPreTranslation, KeysForAControlReachItsDialogFirst) {
  TableDialog dialog;
  ASSERT_TRUE(dialog.Create(nullptr));
  MSG key{};
  key.hwnd = dialog.GetDlgItem(IDOK);
  key.message = WM_KEYDOWN;
  key.wParam = VK_F2;
  EXPECT_TRUE(CDialog::PreTranslateChain(key));
  key.message = WM_CHAR;
  EXPECT_FALSE(CDialog::PreTranslateChain(key));
  EXPECT_EQ(dialog.keysSeen, 1);
}

// A child dialog's data exchange: controls attached, text moved both ways.
class ExchangeDialog : public CDialog {
 public:
  ExchangeDialog() : CDialog(IDD_SRCFOLDER, nullptr) {}
  std::string text = "C:\\data\\";
  CWnd list;

 protected:
  void DoDataExchange(CDataExchange& dx) override {
    DDX_Text(dx, IDC_SRCFOLDER, text);
    DDX_Control(dx, IDC_SRCLIST, list);
  }
};

TEST(DialogDataExchange, AttachesControlsAndMovesTextBothWays) {
  TableDialog host;
  ASSERT_TRUE(host.Create(nullptr));
  ExchangeDialog child;
  ASSERT_TRUE(child.Create(host.GetSafeHwnd()));
  EXPECT_EQ(child.list.GetSafeHwnd(), child.GetDlgItem(IDC_SRCLIST));
  EXPECT_EQ(CWnd(child.GetDlgItem(IDC_SRCFOLDER)).GetWindowText(), "C:\\data\\");

  CWnd(child.GetDlgItem(IDC_SRCFOLDER)).SetWindowText("D:\\\x83\x5C\\");
  ASSERT_TRUE(child.UpdateData(true));
  EXPECT_EQ(child.text, "D:\\\x83\x5C\\");
}

}  // namespace
