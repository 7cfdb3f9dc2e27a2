#include <gtest/gtest.h>

#include "MainDialogFixture.h"
#include "MemoryCanvas.h"
#include "framework/MessagePump.h"
#include "res/resource.h"
#include "ui/DesFolderSetting.h"
#include "ui/MainLayout.h"
#include "ui/SrcFolderSetting.h"

namespace {

RECT Rect(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }

// Every placement that RecalcLayout makes, for the given pane sizes.
void ExpectLayout(CSheafkeeperDlg& dialog, int desWidth, int srcHeight) {
  const int W = RectWidth(dialog.GetClientRect());
  const int H = RectHeight(dialog.GetClientRect());
  RECT client = dialog.GetClientRect();
  ASSERT_EQ(W, client.right);
  ASSERT_EQ(H, client.bottom);
  EXPECT_EQ(ChildRect(DesPane(dialog)), Rect(0, 0, desWidth, H - kStripHeight));
  EXPECT_EQ(ChildRect(SrcPane(dialog)), Rect(desWidth, 0, W - desWidth, srcHeight));
  RECT list = ChildRect(Exclusions(dialog));
  EXPECT_EQ(list.left, desWidth + kListMargin);
  EXPECT_EQ(list.top, srcHeight + kListMargin);
  EXPECT_EQ(list.right - list.left, std::max(0, W - desWidth - 2 * kListMargin));
  EXPECT_EQ(list.bottom - list.top, std::max(0, H - srcHeight - kStripHeight - 2 * kListMargin));
  const int row = H - kButtonRowRise;
  EXPECT_EQ(ChildRect(dialog.GetDlgItem(IDOK)), Rect(W - kStartButtonFromRight, row, 95, 25));
  EXPECT_EQ(ChildRect(dialog.GetDlgItem(IDCANCEL)), Rect(W - kExitButtonFromRight, row, 95, 25));
  EXPECT_EQ(ChildRect(dialog.GetDlgItem(IDC_NEW)), Rect(kStripLeft, row, 95, 25));
  EXPECT_EQ(ChildRect(dialog.GetDlgItem(IDC_OPEN)), Rect(kOpenButtonLeft, row, 95, 25));
  EXPECT_EQ(ChildRect(dialog.GetDlgItem(IDC_SAVE)), Rect(kSaveButtonLeft, row, 95, 25));
  const int stripWidth = W - kExitButtonFromRight - kStripLeft;
  EXPECT_EQ(ChildRect(Progress(dialog)), Rect(kStripLeft, row, stripWidth, kProgressHeight));
  EXPECT_EQ(ChildRect(Status(dialog)), Rect(kStripLeft, H - kStatusRise, stripWidth, kStatusHeight));
  EXPECT_EQ(ChildRect(dialog.GetDlgItem(IDC_ABORT)), Rect(W - kExitButtonFromRight, row, 95, 25));
}

TEST_F(MainDialogTest, StartUpLaysOutTheDefaultSizes) {
  CSheafkeeperDlg& dialog = Open();
  EXPECT_EQ(RectWidth(dialog.GetWindowRect()), 600);
  EXPECT_EQ(RectHeight(dialog.GetWindowRect()), 450);
  ExpectLayout(dialog, 300, 225);
  EXPECT_EQ(Exclusions(dialog).GetColumnWidth(0), RectWidth(dialog.GetClientRect()) - 300 - 15);
}

TEST_F(MainDialogTest, ResizingKeepsThePaneSizesAndTheButtonOffsets) {
  CSheafkeeperDlg& dialog = Open();
  for (SIZE size : {SIZE{800, 640}, SIZE{530, 400}, SIZE{1000, 500}}) {
    dialog.SetSize(size.cx, size.cy);
    ExpectLayout(dialog, 300, 225);
  }
}

TEST_F(MainDialogTest, APaneWiderThanTheClientAreaIsCutAndTheOthersFollow) {
  CSheafkeeperDlg& dialog = Open();
  // Widening the pane by its grip arrives as the pane's own WM_SIZE, which lays out again.
  DesPane(dialog).SetSize(5000, 100);
  const int W = RectWidth(dialog.GetClientRect());
  ExpectLayout(dialog, W, 225);

  // A larger window does not restore the clamped width.
  dialog.SetSize(900, 450);
  ExpectLayout(dialog, W, 225);
}

TEST_F(MainDialogTest, ASourcePaneTallerThanTheClientAreaIsCutToItsHeightLessSixtyOne) {
  CSheafkeeperDlg& dialog = Open();
  SrcPane(dialog).SetSize(100, 5000);
  const int H = RectHeight(dialog.GetClientRect());
  ExpectLayout(dialog, 300, H - kStripHeight);  // the exclusion list's height would be -10
}

TEST_F(MainDialogTest, ANestedLayoutFromAPaneArrivesAtTheSameLayout) {
  CSheafkeeperDlg& dialog = Open();
  DesPane(dialog).SetSize(250, 50);
  RECT des = ChildRect(DesPane(dialog));
  RECT src = ChildRect(SrcPane(dialog));
  RECT list = ChildRect(Exclusions(dialog));
  dialog.RecalcLayout();
  EXPECT_EQ(ChildRect(DesPane(dialog)), des);
  EXPECT_EQ(ChildRect(SrcPane(dialog)), src);
  EXPECT_EQ(ChildRect(Exclusions(dialog)), list);
  ExpectLayout(dialog, 250, 225);
}

POINT g_dragTarget{};

// A press on a pane's grip at grip, dragged to the screen point target and released, through
// the system's own sizing loop: the timer moves the mouse once that loop runs.
void DragGrip(CPaneDialog& pane, POINT grip, POINT target) {
  POINT start = grip;
  ::ClientToScreen(pane.GetSafeHwnd(), &start);
  ::SetCursorPos(start.x, start.y);
  g_dragTarget = target;
  ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    ::SetCursorPos(g_dragTarget.x, g_dragTarget.y);
    ::PostMessageA(::GetCapture(), WM_MOUSEMOVE, MK_LBUTTON, 0);
    ::PostMessageA(::GetCapture(), WM_LBUTTONUP, 0, 0);
  });
  ::PostMessageA(pane.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grip.x, grip.y));
  PumpWaitingMessages();
}

TEST_F(MainDialogTest, APaneKeepsFortyPixelsAcrossItsGripWhenDraggedOrStoredSmaller) {
  CSheafkeeperDlg& dialog = Open();
  RECT window = dialog.GetWindowRect();
  CPaneDialog& des = DesPane(dialog);
  DragGrip(des, POINT{RectWidth(des.GetClientRect()) - 5, 100}, POINT{window.left - 50, window.top + 150});
  CPaneDialog& src = SrcPane(dialog);
  DragGrip(src, POINT{100, RectHeight(src.GetClientRect()) - 4}, POINT{window.left + 200, window.top - 50});
  ExpectLayout(dialog, 40, 40);

  m_dialog.reset();
  testfs::WriteFile(m_folder.Folder() + "Sheafkeeper.ini", "[SHEAFKEEPER]\r\nLX=3\r\nRY=4\r\n");
  ExpectLayout(Open(), 40, 40);
}

TEST_F(MainDialogTest, TheWindowCannotBeSizedBelowItsMinimum) {
  CSheafkeeperDlg& dialog = Open();
  MINMAXINFO info{};
  dialog.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 520);
  EXPECT_EQ(info.ptMinTrackSize.y, 390);
  const HICON icon = reinterpret_cast<HICON>(dialog.SendMessage(WM_GETICON, ICON_BIG));
  EXPECT_EQ(reinterpret_cast<HICON>(dialog.SendMessage(WM_QUERYDRAGICON)), icon);
  EXPECT_NE(icon, nullptr);
}

}  // namespace

namespace {

TEST_F(MainDialogTest, TheBackgroundAndTheSeparatorArePaintedInTheirColours) {
  CSheafkeeperDlg& dialog = Open();
  const int W = RectWidth(dialog.GetClientRect());
  const int H = RectHeight(dialog.GetClientRect());
  const COLORREF background = RGB(236, 233, 216);
  const COLORREF line = RGB(172, 168, 153);
  const int separator = H - kSeparatorRise;

  // Into a bitmap of our own: every pixel is known.
  {
    MemoryCanvas canvas(W, H);
    EXPECT_NE(canvas.EraseWith(dialog.GetSafeHwnd()), 0);
    EXPECT_EQ(canvas.Pixel(0, 0), background);
    EXPECT_EQ(canvas.Pixel(W - 1, H - 1), background);
    EXPECT_EQ(canvas.Pixel(W / 2, separator), line);
    EXPECT_EQ(canvas.Pixel(W / 2, separator - 2), background);
    EXPECT_EQ(canvas.Pixel(W / 2, separator + 2), background);
    EXPECT_EQ(canvas.Pixel(2, separator), background);
    EXPECT_EQ(canvas.Pixel(W - 3, separator), background);
    HGDIOBJ pen = ::GetCurrentObject(canvas.Dc(), OBJ_PEN);
    EXPECT_EQ(pen, ::GetStockObject(BLACK_PEN));  // the line's pen was released
  }

  // And on the screen, between the exclusion list and the buttons.
  ::RedrawWindow(dialog.GetSafeHwnd(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC window = ::GetDC(dialog.GetSafeHwnd());
  EXPECT_EQ(::GetPixel(window, W / 2, separator), line);
  EXPECT_EQ(::GetPixel(window, W / 2, H - 45), background);
  ::ReleaseDC(dialog.GetSafeHwnd(), window);
}

}  // namespace
