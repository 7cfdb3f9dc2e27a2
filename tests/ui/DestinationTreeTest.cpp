// The destination pane hosted by a test dialog, driven through the real tree view:
// right clicks with the cursor placed, real keys for F2, Enter and Esc, the "..." button.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "DialogParts.h"
#include "MemoryCanvas.h"
#include "PaneHostDialog.h"
#include "RunningProgram.h"
#include "ScriptedModalUi.h"
#include "framework/MessagePump.h"
#include "plan/DateName.h"
#include "plan/ShiftJis.h"
#include "ui/DesFolderSetting.h"

namespace {

const char kNew[] = "新規フォルダ";

class DestinationTreeTest : public testing::Test {
 protected:
  void SetUp() override {
    host.Host(pane);
    host.ShowWindow(SW_SHOW);
    top = TopFolder(pane);
    today = DateFolderName();
  }

  HTREEITEM Add(HTREEITEM parent, const std::string& name) {
    HTREEITEM item = pane.InsertFolder(parent, name);
    Tree(pane).Expand(parent);
    host.folders.SetEmpty(pane.GetFolderKey(item));
    return item;
  }

  // A right click at point (the tree's client coordinates), with the cursor there.
  void RightClickAt(POINT point) {
    POINT screen = point;
    ::ClientToScreen(Tree(pane).GetSafeHwnd(), &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::PostMessageA(Tree(pane).GetSafeHwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
    ::PostMessageA(Tree(pane).GetSafeHwnd(), WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    PumpWaitingMessages();
  }
  POINT LabelOf(HTREEITEM item) const {
    RECT rect{};
    TreeView_GetItemRect(Tree(pane).GetSafeHwnd(), item, &rect, TRUE);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  // Chooses command from the folder menu of item.
  void Choose(HTREEITEM item, int command) {
    ui.menuAnswer = command;
    RightClickAt(LabelOf(item));
    ui.menuAnswer = IModalUi::kNothingChosen;
  }
  void Press(HWND window, WPARAM key) {
    PostKeyPress(window, key);
    PumpWaitingMessages();
  }
  HWND EditBox() const { return reinterpret_cast<HWND>(Tree(pane).SendMessage(TVM_GETEDITCONTROL)); }
  // Renames item as a user does: select it, F2, type, then Enter (or Esc).
  void Rename(HTREEITEM item, const std::string& name, WPARAM endKey = VK_RETURN) {
    Tree(pane).SelectItem(item);
    ::SetFocus(Tree(pane).GetSafeHwnd());
    Press(Tree(pane).GetSafeHwnd(), VK_F2);
    ASSERT_NE(EditBox(), nullptr);
    ::SetWindowTextA(EditBox(), name.c_str());
    Press(EditBox(), endKey);
  }
  std::vector<std::string> Keys() const {
    std::vector<std::string> keys;
    for (const CFolderMap::Entry& entry : host.folders.Walk()) keys.push_back(entry.key);
    std::sort(keys.begin(), keys.end());
    return keys;
  }

  ScriptedModalUi ui;
  CPaneHostDialog host;
  CDesFolderSetting pane{host, host.GetSafeHwnd()};
  HTREEITEM top = nullptr;
  std::string today;
};

TEST_F(DestinationTreeTest, StartsWithTheDateFolderTheWorkingFolderAndNothingSelected) {
  EXPECT_EQ(Tree(pane).GetItemText(top), today);
  EXPECT_EQ(Keys(), std::vector<std::string>{today});
  EXPECT_EQ(host.folders.Find(today), nullptr);
  EXPECT_EQ(pane.GetDesRoot(), "C:\\work\\");
  EXPECT_EQ(CWnd(pane.GetDlgItem(IDC_DESROOT)).GetWindowText(), "C:\\work\\");
  EXPECT_EQ(Tree(pane).GetSelectedItem(), nullptr);
  EXPECT_TRUE(host.shownKeys.empty());
}

TEST_F(DestinationTreeTest, CreateNamesTheFirstFreeNewFolderAndStartsItsNameEdit) {
  const struct {
    std::vector<std::string> children;
    std::string expected;
  } cases[] = {
      {{}, kNew},
      {{kNew, std::string(kNew) + "(3)"}, std::string(kNew) + "(2)"},
      {{std::string(kNew) + "(2)"}, kNew},
      {{"新規ﾌｫﾙﾀﾞ", kNew, std::string(kNew) + "(2)"}, std::string(kNew) + "(3)"},
  };
  for (const auto& c : cases) {
    HTREEITEM parent = Add(top, "p");
    for (const std::string& name : c.children) Add(parent, name);
    Choose(parent, 0);
    ASSERT_EQ(ui.menus.back().size(), 5u);  // create, separator, rename, separator, delete
    HTREEITEM created = Tree(pane).GetSelectedItem();
    EXPECT_EQ(Tree(pane).GetParentItem(created), parent);
    EXPECT_EQ(Tree(pane).GetNextSiblingItem(created), nullptr);  // inserted last
    EXPECT_EQ(Tree(pane).GetItemText(created), c.expected);
    EXPECT_TRUE(Tree(pane).GetItemState(parent, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(host.shownKeys.back(), today + "/p/" + c.expected);
    ASSERT_NE(EditBox(), nullptr);
    Press(EditBox(), VK_RETURN);  // ended unchanged: the default name stays, with no source list
    EXPECT_EQ(EditBox(), nullptr);
    EXPECT_EQ(Tree(pane).GetItemText(created), c.expected);
    EXPECT_TRUE(host.folders.Contains(today + "/p/" + c.expected));
    EXPECT_EQ(host.folders.Find(today + "/p/" + c.expected), nullptr);
    pane.DeleteFolderItem(parent);
  }
  // The top folder offers no delete.
  Choose(top, IModalUi::kNothingChosen);
  ASSERT_EQ(ui.menus.back().size(), 3u);
  EXPECT_EQ(ui.menus.back()[0].text, "新規フォルダ作成");
  EXPECT_TRUE(ui.menus.back()[1].separator);
  EXPECT_EQ(ui.menus.back()[2].text, "名前の変更");
  EXPECT_EQ(ui.menus.back()[2].id, 1u);
}

TEST_F(DestinationTreeTest, NameEditsFollowTheNamingRulesAndReKeyTheFolderTree) {
  HTREEITEM docs = Add(top, "Docs");
  HTREEITEM a = Add(top, "a");
  HTREEITEM sub = Add(a, "sub");
  Add(top, "ab");
  host.folders.GetOrCreate(today + "/a/sub") = {"C:\\sub"};
  host.folders.GetOrCreate(today + "/ab") = {"C:\\ab"};
  const struct {
    HTREEITEM item;
    std::string typed;
    std::string expected;  // the item's name afterwards
  } cases[] = {
      {a, "DOCS", "a"},              // a sibling's name in another ASCII case
      {a, "", "a"},
      {a, "x\\y", "a"}, {a, "x/y", "a"}, {a, "x:y", "a"}, {a, "x*y", "a"}, {a, "x?y", "a"},
      {a, "x\"y", "a"}, {a, "x<y", "a"}, {a, "x>y", "a"}, {a, "x|y", "a"},
      {a, ".", "a"}, {a, "..", "a"}, {a, "CON", "a"}, {a, "com1.txt", "a"}, {a, "a.", "a"}, {a, "a ", "a"},
      {a, std::string(256, 'x'), "a"},
      {a, "\x83\x5C\x83\x7C", "\x83\x5C\x83\x7C"},  // ソ and ポ: their second bytes are no separators
      {docs, "docs", "docs"},                       // its own name in another case
      {a, " a.b", " a.b"},                          // a leading space and inner dots stay
  };
  for (const auto& c : cases) {
    Rename(c.item, c.typed);
    EXPECT_EQ(Tree(pane).GetItemText(c.item), c.expected) << c.typed;
  }
  EXPECT_EQ(Keys(), (std::vector<std::string>{today, today + "/ a.b", today + "/ a.b/sub", today + "/ab",
                                              today + "/docs"}));
  EXPECT_EQ(*host.folders.Find(today + "/ a.b/sub"), CSourceList{"C:\\sub"});
  EXPECT_EQ(*host.folders.Find(today + "/ab"), CSourceList{"C:\\ab"});
  EXPECT_EQ(host.shownKeys.back(), today + "/ a.b");

  Rename(sub, "gone", VK_ESCAPE);  // Esc cancels the edit
  EXPECT_EQ(Tree(pane).GetItemText(sub), "sub");

  // Renaming the top folder through its menu re-keys every entry.
  Choose(top, 1);
  ASSERT_NE(EditBox(), nullptr);
  ::SetWindowTextA(EditBox(), "backup");
  Press(EditBox(), VK_RETURN);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"backup", "backup/ a.b", "backup/ a.b/sub", "backup/ab", "backup/docs"}));
  EXPECT_EQ(*host.folders.Find("backup/ a.b/sub"), CSourceList{"C:\\sub"});
}

// Characters as the keyboard's translation posts them, in Unicode, through the program's
// own loop: the ANSI edit box gets them in Shift-JIS, 能 ending in 0x5C.
TEST_F(DestinationTreeTest, TypedJapaneseNamesTheFolderInShiftJis) {
  HTREEITEM a = Add(top, "a");
  Tree(pane).SelectItem(a);
  ::SetFocus(Tree(pane).GetSafeHwnd());
  Press(Tree(pane).GetSafeHwnd(), VK_F2);
  ASSERT_NE(EditBox(), nullptr);
  for (wchar_t c : std::wstring(L"新規ソ表能")) ::PostMessageW(EditBox(), WM_CHAR, c, 1);
  Press(EditBox(), VK_RETURN);
  EXPECT_EQ(Tree(pane).GetItemText(a), "\x90\x56\x8B\x4B\x83\x5C\x95\x5C\x94\x5C");
}

// Shift+F10, with the keyboard state as while Shift is held, and the menu key.
TEST_F(DestinationTreeTest, TheMenuKeysOpenTheSelectedFoldersMenuAtItsLabel) {
  HWND tree = Tree(pane).GetSafeHwnd();
  BYTE keys[256];
  ::GetKeyboardState(keys);
  for (WPARAM key : {VK_F10, VK_APPS, VK_APPS}) {
    host.busy = ui.menus.size() == 2;  // the last press, while busy, opens nothing
    keys[VK_SHIFT] = key == VK_F10 ? 0x80 : 0;
    ::SetKeyboardState(keys);
    UINT down = key == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN;
    ::PostMessageA(tree, down, key, 1);
    ::PostMessageA(tree, down + 1, key, 0xC0000001);
    Tree(pane).SelectItem(top);
    ui.menuAnswer = 0;
    PumpWaitingMessages();
    if (EditBox()) Press(EditBox(), VK_RETURN);
  }
  ASSERT_EQ(ui.menus.size(), 2u);
  EXPECT_EQ(ui.menus.back().size(), 3u);  // the top folder's: no delete
  EXPECT_EQ(Tree(pane).GetItemText(Tree(pane).GetChildItem(top)), kNew);
  RECT label{};
  TreeView_GetItemRect(tree, top, &label, TRUE);
  POINT corner{label.left, label.bottom};
  ::ClientToScreen(tree, &corner);
  EXPECT_TRUE(ui.menuPoint.x == corner.x && ui.menuPoint.y == corner.y);
}

// The folder whose sources are listed stays highlighted while the focus is elsewhere.
TEST_F(DestinationTreeTest, TheSelectionStaysVisibleWithoutTheFocus) {
  HWND tree = Tree(pane).GetSafeHwnd();
  HTREEITEM a = Add(top, "a");
  Tree(pane).SelectItem(a);
  ::SetFocus(pane.GetDlgItem(IDC_DESROOT_BROWSE));
  ::RedrawWindow(tree, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC dc = ::GetDC(tree);
  for (HTREEITEM item : {top, a}) {
    RECT label{};
    TreeView_GetItemRect(tree, item, &label, TRUE);
    EXPECT_EQ(::GetPixel(dc, label.left + 1, label.top + 1) == ::GetSysColor(COLOR_WINDOW), item == top);
  }
  ::ReleaseDC(tree, dc);
}

TEST_F(DestinationTreeTest, DeleteRemovesTheFolderTreeBelowWithoutAsking) {
  HTREEITEM a = Add(top, "a");
  Add(Add(a, "b"), "c");
  Add(top, "ab");
  host.folders.GetOrCreate(today + "/a/b/c") = {"C:\\c"};
  ::SetFocus(Tree(pane).GetSafeHwnd());
  Press(Tree(pane).GetSafeHwnd(), VK_DELETE);  // the Delete key deletes nothing
  EXPECT_EQ(Keys().size(), 5u);

  Choose(a, 2);
  EXPECT_EQ(Keys(), (std::vector<std::string>{today, today + "/ab"}));
  EXPECT_EQ(Tree(pane).GetSelectedItem(), nullptr);
  EXPECT_EQ(host.shownKeys.back(), "");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DestinationTreeTest, OnlyAClickOnALabelOrIconOpensTheMenu) {
  HTREEITEM a = Add(top, "a");
  Add(a, "b");
  RECT row{};
  TreeView_GetItemRect(Tree(pane).GetSafeHwnd(), a, &row, FALSE);
  RightClickAt(POINT{row.left + 2, (row.top + row.bottom) / 2});   // the indentation
  POINT label = LabelOf(a);
  RECT client = Tree(pane).GetClientRect();
  RightClickAt(POINT{client.right - 3, label.y});                  // right of the label
  RightClickAt(POINT{label.x, client.bottom - 3});                 // empty space
  TVHITTESTINFO hit{};
  for (hit.pt = POINT{0, label.y}; hit.pt.x < label.x; ++hit.pt.x) {
    Tree(pane).HitTest(hit);
    if (hit.flags & TVHT_ONITEMBUTTON) break;
  }
  ASSERT_TRUE(hit.flags & TVHT_ONITEMBUTTON);
  RightClickAt(hit.pt);                                            // the expand button
  EXPECT_TRUE(ui.menus.empty());
  RightClickAt(label);
  EXPECT_EQ(ui.menus.size(), 1u);
  EXPECT_EQ(Tree(pane).GetSelectedItem(), a);
  EXPECT_EQ(host.shownKeys.back(), today + "/a");
}

TEST_F(DestinationTreeTest, WhileBusyTheTreeOnlyShowsWhatIsSelected) {
  HTREEITEM a = Add(top, "a");
  host.busy = true;
  RightClickAt(LabelOf(a));
  EXPECT_TRUE(ui.menus.empty());
  Tree(pane).SelectItem(a);
  EXPECT_EQ(host.shownKeys.back(), today + "/a");
  Tree(pane).EditLabel(a);
  ::SetWindowTextA(EditBox(), "b");
  Tree(pane).EndEditLabelNow(false);
  EXPECT_EQ(Tree(pane).GetItemText(a), "a");
  ui.folderAnswer = "C:\\";
  pane.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DESROOT_BROWSE, BN_CLICKED));
  EXPECT_TRUE(ui.browseTitles.empty());
  EXPECT_EQ(Keys(), (std::vector<std::string>{today, today + "/a"}));
}

TEST_F(DestinationTreeTest, TheFolderBrowserSetsTheRootWithOneTrailingBackslash) {
  CWnd button(pane.GetDlgItem(IDC_DESROOT_BROWSE));
  char windows[MAX_PATH] = "";
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  const struct {
    std::string chosen;
    std::string root;
  } cases[] = {{"", "C:\\work\\"}, {"C:\\", "C:\\"}, {windows, std::string(windows) + "\\"}};
  for (const auto& c : cases) {
    ui.folderAnswer = c.chosen;
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(pane.GetDesRoot(), c.root);
    EXPECT_EQ(CWnd(pane.GetDlgItem(IDC_DESROOT)).GetWindowText(), c.root);
  }
  EXPECT_EQ(ui.browseTitles, (std::vector<std::string>(3, "コピーフォルダ")));
}

TEST_F(DestinationTreeTest, TheRightEdgeIsAGripAndSizingLaysOutPaneAndHost) {
  pane.SetSize(240, 300);
  const int W = RectWidth(pane.GetClientRect());
  EXPECT_EQ(RectWidth(Tree(pane).GetWindowRect()), W - 15);
  EXPECT_EQ(RectHeight(Tree(pane).GetWindowRect()), RectHeight(pane.GetClientRect()) - 40);
  EXPECT_EQ(host.layouts, 1);

  HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
  for (int x : {W - 8, W - 7, W - 3, W - 2}) {
    const bool onGrip = x >= W - 7 && x < W - 2;
    ::SetCursor(arrow);
    pane.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, 20));
    EXPECT_EQ(::GetCursor(), onGrip ? ::LoadCursorA(nullptr, IDC_SIZEWE) : arrow) << x;
    pane.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 20));
    MSG posted{};
    EXPECT_EQ(::PeekMessageA(&posted, pane.GetSafeHwnd(), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE) != FALSE, onGrip);
    EXPECT_EQ(posted.wParam, onGrip ? 0xF002u : 0u) << x;
  }

  MemoryCanvas canvas(W, RectHeight(pane.GetClientRect()));
  canvas.EraseWith(pane.GetSafeHwnd());
  std::string row;  // b: background, l: line, for x = W - 7 ... W - 1
  for (int x = W - 7; x < W; ++x) row += canvas.Pixel(x, 40) == RGB(172, 168, 153) ? 'l' : canvas.Pixel(x, 40) == RGB(236, 233, 216) ? 'b' : '?';
  EXPECT_EQ(row, "bbllbll");
}

// The shell's own browser, cancelled from a timer inside its modal loop.
TEST(DestinationTreeBrowser, TheRealFolderBrowserOpensWithItsTitleAndCancels) {
  CPaneHostDialog host;
  char windows[MAX_PATH] = "";
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  host.workDir = std::string(windows) + "\\";  // the root the pane starts with
  CDesFolderSetting pane(host, host.GetSafeHwnd());
  host.Host(pane);
  static bool s_titleSeen = false;
  static std::string s_selected;
  ::SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR timer, DWORD) {
    HWND browser = ::GetActiveWindow();
    s_titleSeen = s_titleSeen || ::FindWindowExA(browser, nullptr, nullptr, "コピーフォルダ") != nullptr;
    CTreeCtrl folders;
    folders.Attach(::FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr));
    s_selected = folders.GetItemText(folders.GetSelectedItem());
    ::PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
    ::KillTimer(nullptr, timer);
  });
  CWnd(pane.GetDlgItem(IDC_DESROOT_BROWSE)).SendMessage(BM_CLICK);
  EXPECT_TRUE(s_titleSeen);
  EXPECT_TRUE(sjis::EqualsNoCaseAscii(s_selected, std::string(windows).substr(3))) << s_selected;  // opened at the root
  EXPECT_EQ(pane.GetDesRoot(), std::string(windows) + "\\");
}

}  // namespace
