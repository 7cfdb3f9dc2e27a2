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

LRESULT CPaneDialog::OnSwallowedCommand(WPARAM, LPARAM, bool&) { return 0; }
