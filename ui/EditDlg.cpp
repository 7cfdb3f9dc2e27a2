#include "ui/EditDlg.h"

#include "res/resource.h"

CEditDlg::CEditDlg(HWND parent) : CDialog(IDD_EDIT, parent) {}

// Called when the window exists, before it is shown: the caption, then the text once more.
BOOL CEditDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(m_strCaption);
  UpdateData(false);
  return TRUE;
}

void CEditDlg::DoDataExchange(CDataExchange& dx) { DDX_Text(dx, IDC_EDIT_TEXT, m_strText); }
