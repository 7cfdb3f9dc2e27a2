#pragma once
// The one-line edit dialog (template 134): a caption and one text, given and taken
// back by the caller.
#include <windows.h>

#include <string>

#include "framework/Dialog.h"

class CEditDlg : public CDialog {
 public:
  // parent may be null: a modal run is then owned by the application's main window.
  explicit CEditDlg(HWND parent);

  std::string m_strCaption;
  std::string m_strText;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange& dx) override;
};
