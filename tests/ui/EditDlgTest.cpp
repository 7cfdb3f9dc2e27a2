// The one-line edit dialog on its own: the template as tabled and the text exchange.
#include "ui/EditDlg.h"

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"

namespace {

RECT DialogUnits(HWND dialog, RECT rect) {
  ::MapDialogRect(dialog, &rect);
  return rect;
}

RECT ClientRectIn(HWND child, HWND parent) {
  RECT rect{};
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(EditDialog, Template134IsLaidOutAsTabled) {
  CEditDlg dialog(nullptr);
  ASSERT_TRUE(dialog.Create(nullptr));
  HWND window = dialog.GetSafeHwnd();
  LONG style = ::GetWindowLongA(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME), WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_EQ(dialog.GetWindowText(), "");
  RECT client = dialog.GetClientRect();
  EXPECT_TRUE(SameRect(client, DialogUnits(window, RECT{0, 0, 187, 44})));
  LOGFONTA font{};
  ::GetObjectA(reinterpret_cast<HFONT>(dialog.SendMessage(WM_GETFONT)), sizeof(font), &font);
  EXPECT_STREQ(font.lfFaceName, "MS Shell Dlg");

  const struct {
    int id;
    const char* text;
    RECT units;
    LONG styles;
  } controls[] = {
      {IDC_EDIT_TEXT, "", {6, 6, 180, 20}, ES_AUTOHSCROLL | WS_TABSTOP},
      {IDOK, "OK", {78, 24, 128, 38}, BS_DEFPUSHBUTTON | WS_TABSTOP},
      {IDCANCEL, "キャンセル", {132, 24, 182, 38}, BS_PUSHBUTTON | WS_TABSTOP},
  };
  HWND previous = nullptr;
  for (const auto& control : controls) {
    HWND child = dialog.GetDlgItem(control.id);
    ASSERT_NE(child, nullptr) << control.id;
    EXPECT_EQ(CWnd(child).GetWindowText(), control.text);
    EXPECT_TRUE(SameRect(ClientRectIn(child, window), DialogUnits(window, control.units))) << control.id;
    EXPECT_EQ(::GetWindowLongA(child, GWL_STYLE) & (control.styles | ES_MULTILINE | ES_READONLY), control.styles)
        << control.id;
    if (previous) {
      EXPECT_EQ(::GetNextDlgTabItem(window, previous, FALSE), child) << control.id;
    }
    previous = child;
  }
  // The edit control turns its border into a client edge.
  EXPECT_TRUE(::GetWindowLongA(dialog.GetDlgItem(IDC_EDIT_TEXT), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST(EditDialog, OkTakesTheEditedTextAndCancelLeavesTheGivenOne) {
  const struct {
    int button;
    std::string after;
  } cases[] = {{IDOK, "C:\\ソ\\edited"}, {IDCANCEL, "given"}};
  for (const auto& c : cases) {
    CEditDlg dialog(nullptr);
    dialog.m_strCaption = "ｺﾋﾟｰ対象外ﾌｧｲﾙﾊﾟｽ";
    dialog.m_strText = "given";
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_EQ(dialog.GetWindowText(), "ｺﾋﾟｰ対象外ﾌｧｲﾙﾊﾟｽ");
    CWnd edit(dialog.GetDlgItem(IDC_EDIT_TEXT));
    EXPECT_EQ(edit.GetWindowText(), "given");
    edit.SetWindowText("C:\\ソ\\edited");
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED));
    EXPECT_FALSE(dialog.IsWindow());
    EXPECT_EQ(dialog.m_strText, c.after);
  }
}

}  // namespace
