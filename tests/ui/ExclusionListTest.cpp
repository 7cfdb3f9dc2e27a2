// The exclusion list's editing: the column header's menu, the edit dialog, a double
// click and the Delete key, each delivered as input to the real list view and header.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "KeyPress.h"
#include "MainDialogFixture.h"
#include "framework/MessagePump.h"
#include "res/resource.h"
#include "ui/EditDlg.h"

namespace {

using Rows = std::vector<std::string>;

const char kHeading[] = "ｺﾋﾟｰ対象外ﾌｧｲﾙﾊﾟｽ";

// What the scripted edit dialog was shown.
struct EditShown {
  std::string caption;
  std::string text;
};

class ExclusionListTest : public MainDialogTest {
 protected:
  // A fresh main dialog (no plan from an earlier one) holding rows, some selected.
  CSheafkeeperDlg& OpenWith(const Rows& rows, const std::vector<int>& selected) {
    m_dialog.reset();
    ::DeleteFileA((m_folder.Folder() + "temp.xml").c_str());
    CSheafkeeperDlg& dialog = Open();
    for (const std::string& row : rows) dialog.AppendExclusion(row);
    for (int row : selected) Exclusions(dialog).SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    return dialog;
  }

  // The edit dialog records what it was given and answers like a user: typed, then
  // the button result.
  void AnswerEdits(INT_PTR result, const std::string& typed) {
    m_ui.dialogAnswer = [this, result, typed](CDialog& dialog) {
      CEditDlg& edit = static_cast<CEditDlg&>(dialog);
      m_editsShown.push_back(EditShown{edit.m_strCaption, edit.m_strText});
      edit.m_strText = typed;
      return result;
    };
  }

  // A click on the column header's first item, through the program's message loop.
  void ClickHeader() {
    PostHeaderClick();
    PumpWaitingMessages();
  }
  void PostHeaderClick() {
    HWND header = Exclusions(*m_dialog).GetHeaderCtrl();
    RECT item{};
    ::SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::PostMessageA(header, WM_LBUTTONUP, 0, point);
  }

  // A double click on row's label, through the program's message loop.
  void DoubleClickRow(int row) {
    RECT rect{};
    rect.left = LVIR_LABEL;
    Exclusions(*m_dialog).SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    ::PostMessageA(Exclusions(*m_dialog).GetSafeHwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON,
                   MAKELPARAM(rect.left + 4, (rect.top + rect.bottom) / 2));
    PumpWaitingMessages();
  }

  void PressKey(WPARAM key) {
    PostKeyPress(Exclusions(*m_dialog).GetSafeHwnd(), key);
    PumpWaitingMessages();
  }

  std::vector<EditShown> m_editsShown;
};

// A menu as "id text" lines, "-" for a separator.
Rows Lines(const std::vector<MenuItem>& menu) {
  Rows lines;
  for (const MenuItem& item : menu) lines.push_back(item.separator ? "-" : std::to_string(item.id) + " " + item.text);
  return lines;
}

TEST_F(ExclusionListTest, TheHeaderMenuOffersEditOnlyForOneSelectedRowAndDeleteForAny) {
  const struct {
    std::vector<int> selected;
    Rows menu;
  } cases[] = {
      {{}, {"0 追加"}},
      {{1}, {"0 追加", "-", "1 選択ﾚｺｰﾄﾞの編集", "2 選択ﾚｺｰﾄﾞの削除"}},
      {{0, 2}, {"0 追加", "-", "2 選択ﾚｺｰﾄﾞの削除"}},
  };
  for (const auto& c : cases) {
    OpenWith({"a", "b", "c"}, c.selected);
    m_ui.menus.clear();
    ClickHeader();  // the menu is dismissed
    ASSERT_EQ(m_ui.menus.size(), 1u) << c.selected.size();
    EXPECT_EQ(Lines(m_ui.menus[0]), c.menu);
    EXPECT_EQ(m_dialog->GetExclusionRows(), (Rows{"a", "b", "c"}));
    EXPECT_TRUE(m_ui.dialogs.empty());
  }
}

TEST_F(ExclusionListTest, AddAppendsANonEmptyTextUnchangedEvenWhenItIsThereAlready) {
  const struct {
    INT_PTR result;
    std::string typed;
    Rows after;
  } cases[] = {
      {IDOK, "Thumbs.db", {"a", "b", "Thumbs.db"}},
      {IDOK, "a", {"a", "b", "a"}},
      {IDOK, " C:\\データ\\ソ.TXT ", {"a", "b", " C:\\データ\\ソ.TXT "}},
      {IDOK, "", {"a", "b"}},
      {IDCANCEL, "typed", {"a", "b"}},
  };
  for (const auto& c : cases) {
    OpenWith({"a", "b"}, {0});
    m_editsShown.clear();
    m_ui.dialogs.clear();
    m_ui.menuAnswer = 0;
    AnswerEdits(c.result, c.typed);
    ClickHeader();
    EXPECT_EQ(m_dialog->GetExclusionRows(), c.after) << c.typed;
    EXPECT_EQ(m_ui.dialogs, std::vector<UINT>{IDD_EDIT});
    ASSERT_EQ(m_editsShown.size(), 1u);
    EXPECT_EQ(m_editsShown[0].caption, kHeading);
    EXPECT_EQ(m_editsShown[0].text, "");
  }
}

// Edit from the menu, or by a double click, which does not look at the row it hits.
TEST_F(ExclusionListTest, EditReplacesTheSelectedRowOnlyWithANonEmptyText) {
  const struct {
    bool doubleClick;
    INT_PTR result;
    std::string typed;
    Rows after;
  } cases[] = {
      {false, IDOK, "Desktop.ini", {"a", "Desktop.ini", "c"}},
      {false, IDOK, "", {"a", "b", "c"}},
      {false, IDCANCEL, "typed", {"a", "b", "c"}},
      {true, IDOK, "ソ", {"a", "ソ", "c"}},
      {true, IDOK, "", {"a", "b", "c"}},
  };
  for (const auto& c : cases) {
    OpenWith({"a", "b", "c"}, {1});
    m_editsShown.clear();
    m_ui.menuAnswer = 1;
    AnswerEdits(c.result, c.typed);
    if (c.doubleClick) {
      DoubleClickRow(2);
    } else {
      ClickHeader();
    }
    EXPECT_EQ(m_dialog->GetExclusionRows(), c.after) << c.typed;
    ASSERT_EQ(m_editsShown.size(), 1u);
    EXPECT_EQ(m_editsShown[0].caption, kHeading);
    EXPECT_EQ(m_editsShown[0].text, "b");
  }
}

TEST_F(ExclusionListTest, ADoubleClickEditsNothingUnlessExactlyOneRowIsSelected) {
  for (const std::vector<int>& selected : {std::vector<int>{}, std::vector<int>{0, 2}}) {
    OpenWith({"a", "b", "c"}, selected);
    AnswerEdits(IDOK, "edited");
    DoubleClickRow(0);
    EXPECT_TRUE(m_ui.dialogs.empty()) << selected.size();
    EXPECT_EQ(m_dialog->GetExclusionRows(), (Rows{"a", "b", "c"}));
  }
}

TEST_F(ExclusionListTest, TheDeleteKeyRemovesTheSelectedRowsAndTheOthersKeepTheirOrder) {
  CSheafkeeperDlg& dialog = OpenWith({"a", "b", "c", "d", "e"}, {0, 1, 3});
  for (WPARAM other : {VK_INSERT, VK_BACK, VK_DECIMAL}) PressKey(other);
  EXPECT_EQ(dialog.GetExclusionRows(), (Rows{"a", "b", "c", "d", "e"}));
  PressKey(VK_DELETE);
  EXPECT_EQ(dialog.GetExclusionRows(), (Rows{"c", "e"}));

  Exclusions(dialog).SetItemState(-1, 0, LVIS_SELECTED);
  PressKey(VK_DELETE);  // nothing selected
  EXPECT_EQ(dialog.GetExclusionRows(), (Rows{"c", "e"}));
}

TEST_F(ExclusionListTest, NothingChangesWhileACopyRunIsBusy) {
  CSheafkeeperDlg& dialog = OpenWith({"a", "b"}, {1});
  dialog.GetCopyRunView().BeginCopyMode();
  m_ui.menuAnswer = 0;
  AnswerEdits(IDOK, "edited");
  ClickHeader();
  DoubleClickRow(1);
  PressKey(VK_DELETE);
  EXPECT_TRUE(m_ui.menus.empty());
  EXPECT_TRUE(m_ui.dialogs.empty());
  EXPECT_EQ(dialog.GetExclusionRows(), (Rows{"a", "b"}));
}

TEST_F(ExclusionListTest, RowsAddedByHandGoToThePlanFileAndComeBackInOrder) {
  CSheafkeeperDlg& dialog = OpenWith({}, {});
  m_ui.menuAnswer = 0;
  for (const char* typed : {"Thumbs.db", "C:\\data\\ソ.txt", "Thumbs.db", "*.tmp"}) {
    AnswerEdits(IDOK, typed);
    ClickHeader();
  }
  const Rows added{"Thumbs.db", "C:\\data\\ソ.txt", "Thumbs.db", "*.tmp"};
  ASSERT_EQ(dialog.GetExclusionRows(), added);
  std::string plan = m_folder.Folder() + "plan.xml";
  dialog.SavePlan(plan);
  EXPECT_NE(testfs::ReadFile(plan).find("  <nocopyfilepath>Thumbs.db</nocopyfilepath>\r\n"
                                        "  <nocopyfilepath>C:\\data\\ソ.txt</nocopyfilepath>\r\n"
                                        "  <nocopyfilepath>Thumbs.db</nocopyfilepath>\r\n"
                                        "  <nocopyfilepath>*.tmp</nocopyfilepath>\r\n"),
            std::string::npos);

  for (int row = 0; row < 4; row += 2) Exclusions(dialog).SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
  PressKey(VK_DELETE);
  m_ui.fileAnswer = plan;
  Click(IDC_OPEN);
  EXPECT_EQ(dialog.GetExclusionRows(), added);
}

// Types keys into the edit dialog once its modal loop runs, as the keyboard delivers
// them: one key, down and up, each time the queue is empty, so that the characters the
// loop translates from one key are typed before the next key comes. A character beyond
// ASCII comes as an input method hands it over, one Unicode WM_CHAR.
struct Typist {
  CDialog* dialog;
  std::wstring keys;  // virtual-key codes (capital letters, digits, '\r' for Enter) or characters
  std::size_t next;
};

void CALLBACK TypeNextKey(HWND main, UINT, UINT_PTR timer, DWORD) {
  Typist& typist = *reinterpret_cast<Typist*>(timer);
  HWND window = typist.dialog->GetSafeHwnd();
  HWND edit = ::GetDlgItem(window, IDC_EDIT_TEXT);
  if (typist.next == 0) {
    EXPECT_EQ(::GetWindow(window, GW_OWNER), main);
    EXPECT_FALSE(::IsWindowEnabled(main));
    EXPECT_EQ(CWnd(window).GetWindowText(), kHeading);
    // A window of a test running beside this one may hold the foreground, and the focus.
    if (::GetForegroundWindow() == window) {
      EXPECT_EQ(::GetFocus(), edit);
    }
  }
  WPARAM key = typist.keys[typist.next++];
  if (typist.next == typist.keys.size()) ::KillTimer(main, timer);
  if (key > 0x7F) {
    ::PostMessageW(edit, WM_CHAR, key, 1);
    return;
  }
  LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC)) << 16;
  ::PostMessageA(edit, WM_KEYDOWN, key, scan | 1);
  ::PostMessageA(edit, WM_KEYUP, key, scan | 0xC0000001);
}

TEST_F(ExclusionListTest, AddRunsTheRealEditDialogOwnedByTheMainWindow) {
  CSheafkeeperDlg& dialog = OpenWith({"a"}, {});
  m_app.m_pMainWnd = &dialog;
  m_ui.menuAnswer = 0;
  Typist typist{nullptr, L"BACKUP7新規ソ表能\r", 0};
  m_ui.dialogAnswer = [&dialog, &typist](CDialog& edit) {
    typist.dialog = &edit;
    ::SetTimer(dialog.GetSafeHwnd(), reinterpret_cast<UINT_PTR>(&typist), 10, TypeNextKey);
    return edit.DoModal();
  };
  ClickHeader();
  m_app.m_pMainWnd = nullptr;
  EXPECT_EQ(m_ui.dialogs, std::vector<UINT>{IDD_EDIT});
  EXPECT_EQ(typist.next, typist.keys.size());
  EXPECT_EQ(dialog.GetExclusionRows(), (Rows{"a", "backup7\x90\x56\x8B\x4B\x83\x5C\x95\x5C\x94\x5C"}));
  EXPECT_TRUE(::IsWindowEnabled(dialog.GetSafeHwnd()));
}

// The scripted modal UI, but with the system's own popup menu.
class RealMenuUi : public ScriptedModalUi {
 public:
  RealMenuUi() : m_win32(Win32ModalUi()) {}
  int TrackPopupMenu(HWND owner, const std::vector<MenuItem>& items, POINT screen, UINT flags) override {
    ScriptedModalUi::TrackPopupMenu(owner, items, screen, flags);
    return m_win32.TrackPopupMenu(owner, items, screen, flags);
  }

 private:
  static IModalUi& Win32ModalUi() {
    IModalUi& installed = ModalUi();
    SetModalUi(nullptr);
    IModalUi& win32 = ModalUi();
    SetModalUi(&installed);
    return win32;
  }
  IModalUi& m_win32;
};

// The keys wait in the queue; the menu's own loop takes them once the click opened it:
// Down twice reaches the item below the separator, Enter chooses it. A command the menu
// sent on as WM_COMMAND would be pumped afterwards: 1 starts a run, 2 ends the program.
TEST_F(ExclusionListTest, ACommandChosenInTheRealMenuIsCarriedOutThereAndGoesNoFurther) {
  const struct {
    std::vector<int> selected;
    Rows after;
  } cases[] = {
      {{1}, {"a", "edited", "c"}},  // "選択ﾚｺｰﾄﾞの編集", command 1
      {{0, 2}, {"b"}},              // "選択ﾚｺｰﾄﾞの削除", command 2
  };
  RealMenuUi ui;
  ui.dialogAnswer = [](CDialog& dialog) {
    static_cast<CEditDlg&>(dialog).m_strText = "edited";
    return IDOK;
  };
  for (const auto& c : cases) {
    CSheafkeeperDlg& dialog = OpenWith({"a", "b", "c"}, c.selected);
    PostHeaderClick();
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
      ::PostMessageA(Exclusions(dialog).GetSafeHwnd(), WM_KEYDOWN, key, 1);
    }
    PumpWaitingMessages();
    EXPECT_EQ(dialog.GetExclusionRows(), c.after);
    EXPECT_TRUE(dialog.IsWindow());
    EXPECT_FALSE(dialog.IsBusy());
    EXPECT_EQ(Status(dialog).GetWindowText(), "スタティック");
  }
}

}  // namespace
