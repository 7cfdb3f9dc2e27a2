#include "app/SheafkeeperApp.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/Settings.h"
#include "platform/WorkingFolder.h"
#include "ui/SheafkeeperDlg.h"

bool CSheafkeeperApp::InitInstance() {
  InitCommonControls();
  CWinApp::InitInstance();
  UseSettingsFileIn(GetWorkingFolder());

  CSheafkeeperDlg dialog(nullptr);
  m_pMainWnd = &dialog;
  dialog.DoModal();
  m_pMainWnd = nullptr;
  return false;
}

void CSheafkeeperApp::UseSettingsFileIn(const std::string& folder) {
  m_profile.SetPath(folder + kSettingsFileName);
}
