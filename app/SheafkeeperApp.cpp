#include "app/SheafkeeperApp.h"

#include <windows.h>
#include <commctrl.h>

#include "app/InstanceName.h"
#include "copy/WideText.h"
#include "framework/SingleInstance.h"
#include "platform/LogFile.h"
#include "platform/RunLog.h"
#include "platform/Settings.h"
#include "platform/WorkingFolder.h"
#include "ui/SheafkeeperDlg.h"

// A second start in the same working folder brings the first one's window forward and
// ends; the first writes what its dialogs could not handle to the window's log.
bool CSheafkeeperApp::InitInstance() {
  const std::string folder = GetWorkingFolder();
  CSingleInstance instance(InstanceNameFor(folder));
  if (!instance.IsFirst() && instance.BringFirstForward()) return false;

  InitCommonControls();
  CWinApp::InitInstance();
  UseSettingsFileIn(folder);
  const CLogFile log(WideFromAnsi(folder + kWindowLogName), kWindowLogLimit);
  CDialog::SetFaultReporter([&log](const std::string& description) { log.AppendLine(WideFromAnsi(description)); });

  CSheafkeeperDlg dialog(nullptr);
  dialog.SetSingleInstance(&instance);
  m_pMainWnd = &dialog;
  dialog.DoModal();
  m_pMainWnd = nullptr;
  CDialog::SetFaultReporter(nullptr);
  return false;
}

void CSheafkeeperApp::UseSettingsFileIn(const std::string& folder) {
  m_profile.SetPath(folder + kSettingsFileName);
}
