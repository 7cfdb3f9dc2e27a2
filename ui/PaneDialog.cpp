#include "ui/PaneDialog.h"


LRESULT CPaneDialog::OnSize(WPARAM, LPARAM lParam, bool&) {
  m_cxClient = LOWORD(lParam);
  m_cyClient = HIWORD(lParam);
  LayOutControls();
  Invalidate(true);
  if (m_pMainDlg) {
    m_pMainDlg->RecalcLayout();
    m_pMainDlg->InvalidateHost();
  }
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
