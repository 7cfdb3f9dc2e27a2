#include "ui/PaneDialog.h"

#include <windowsx.h>

const CDialog::MessageTable& CPaneDialog::PaneMessageTable() {
  static const MessageEntry kMessages[] = {
      OnMessage(WM_SIZE, &CPaneDialog::OnSize),
      OnMessage(WM_LBUTTONDOWN, &CPaneDialog::OnGripLButtonDown),
      OnMessage(WM_MOUSEMOVE, &CPaneDialog::OnGripMouseMove),
      OnMessage(WM_GETMINMAXINFO, &CPaneDialog::OnGetMinMaxInfo),
      OnCommand(IDOK, &CPaneDialog::OnSwallowedCommand),
      OnCommand(IDCANCEL, &CPaneDialog::OnSwallowedCommand),
      OnMessage(WM_NEXTDLGCTL, &CPaneDialog::OnNextDlgCtl),
  };
  static const MessageTable kTable = MakeMessageTable(kMessages);
  return kTable;
}

LRESULT CPaneDialog::OnSize(WPARAM, LPARAM lParam, bool&) {
  m_cxClient = LOWORD(lParam);
  m_cyClient = HIWORD(lParam);
  LayOutControls();
  Invalidate(true);
  m_pMainDlg->RecalcLayout();
  m_pMainDlg->InvalidateHost();
  return 0;
}

BOOL CPaneDialog::OnInitDialog() {
  RECT client = GetClientRect();
  m_cxClient = client.right;
  m_cyClient = client.bottom;
  return CDialog::OnInitDialog();
}

LRESULT CPaneDialog::OnSwallowedCommand(WPARAM, LPARAM, bool&) { return 0; }

LRESULT CPaneDialog::OnNextDlgCtl(WPARAM wParam, LPARAM lParam, bool&) {
  return ::SendMessageA(::GetParent(m_hWnd), WM_NEXTDLGCTL, wParam, lParam);
}

LRESULT CPaneDialog::OnGripMouseMove(WPARAM, LPARAM lParam, bool& handled) {
  if (IsOnGrip(lParam)) SetGripCursor();
  handled = false;
  return 0;
}

LRESULT CPaneDialog::OnGripLButtonDown(WPARAM, LPARAM lParam, bool& handled) {
  if (IsOnGrip(lParam)) {
    SetGripCursor();
    WPARAM edge = m_gripEdge == GripEdge::Right ? WMSZ_RIGHT : WMSZ_BOTTOM;
    ::PostMessageA(m_hWnd, WM_SYSCOMMAND, SC_SIZE + edge, 0);
  }
  handled = false;
  return 0;
}

LRESULT CPaneDialog::OnGetMinMaxInfo(WPARAM, LPARAM lParam, bool& handled) {
  MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
  if (m_gripEdge == GripEdge::Right) {
    info->ptMinTrackSize.x = kMinExtent;
  } else {
    info->ptMinTrackSize.y = kMinExtent;
  }
  handled = false;
  return 0;
}

bool CPaneDialog::IsOnGrip(LPARAM point) const {
  int across = m_gripEdge == GripEdge::Right ? GET_X_LPARAM(point) : GET_Y_LPARAM(point);
  int extent = m_gripEdge == GripEdge::Right ? m_cxClient : m_cyClient;
  return extent - 7 <= across && across < extent - 2;
}

void CPaneDialog::SetGripCursor() const {
  LPCSTR cursor = m_gripEdge == GripEdge::Right ? IDC_SIZEWE : IDC_SIZENS;
  ::SetCursor(::LoadCursorA(nullptr, cursor));
}
