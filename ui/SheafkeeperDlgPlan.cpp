#include "ui/SheafkeeperDlg.h"

#include "plan/PlanWriter.h"
#include "platform/FileMove.h"
#include "ui/DesFolderSetting.h"

namespace {

const UINT_PTR kAutomaticSaveTimer = 1;
const UINT kAutomaticSaveDelay = 1000;  // milliseconds after the last change

}  // namespace

// A failed save is silent and leaves an existing file as it was. A path that the ANSI file
// functions cannot take is not written at all (Wine would write a file of a mangled name).
void CSheafkeeperDlg::SavePlan(const std::string& path) {
  if (path.size() >= MAX_PATH) return;
  ::SavePlan(path, GetDesRoot(), m_mapFolder, GetExclusionRows(), kWindowsSaveFileOps);
}

// Each change starts the timer afresh, so a series of quick edits is saved once.
void CSheafkeeperDlg::PlanChanged() { ::SetTimer(m_hWnd, kAutomaticSaveTimer, kAutomaticSaveDelay, nullptr); }

// A copy run changes nothing, but it must not meet a save: during one the timer keeps
// running and the save waits for the first tick after the run. Once the end of the
// Windows session has saved, the files keep that state.
LRESULT CSheafkeeperDlg::OnTimer(WPARAM wParam, LPARAM, bool& handled) {
  if (wParam != kAutomaticSaveTimer) {
    handled = false;
    return 0;
  }
  if (IsBusy()) return 0;
  ::KillTimer(m_hWnd, kAutomaticSaveTimer);
  if (!m_bSessionSaved) SaveAutomaticPlan();
  return 0;
}

std::string CSheafkeeperDlg::GetDesRoot() const {
  return m_pDesFolderSetting ? m_pDesFolderSetting->GetDesRoot() : std::string();
}
