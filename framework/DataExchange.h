#pragma once
// Data exchange between a dialog's controls and its members: attaching control
// wrappers, and moving text in either direction.
#include <windows.h>

#include <string>

#include "framework/Window.h"

class CDataExchange {
 public:
  CDataExchange(HWND dialog, bool saveAndValidate) : m_hDialog(dialog), m_bSaveAndValidate(saveAndValidate) {}
  HWND Dialog() const { return m_hDialog; }
  bool IsSaving() const { return m_bSaveAndValidate; }

 private:
  HWND m_hDialog;  // not owned
  bool m_bSaveAndValidate;
};

// Attaches control id of the dialog to the wrapper (once the control exists).
inline void DDX_Control(CDataExchange& dx, int id, CWnd& control) {
  if (!control.GetSafeHwnd()) control.Attach(::GetDlgItem(dx.Dialog(), id));
}

// Moves the control's text into value when saving, value into the control otherwise.
inline void DDX_Text(CDataExchange& dx, int id, std::string& value) {
  CWnd control(::GetDlgItem(dx.Dialog(), id));
  if (dx.IsSaving()) {
    value = control.GetWindowText();
  } else {
    control.SetWindowText(value);
  }
}
