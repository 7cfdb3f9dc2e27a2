#pragma once
#include "framework/Dialog.h"
#include "res/resource.h"

// The About box: template 100, no handlers of its own; OK closes it.
class CAboutDlg : public CDialog {
 public:
  CAboutDlg() : CDialog(IDD_ABOUTBOX, nullptr) {}
};
