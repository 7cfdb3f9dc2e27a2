#include "ui/SheafkeeperDlg.h"

#include "plan/PlanWriter.h"
#include "platform/FileMove.h"
#include "ui/DesFolderSetting.h"

// A failed save is silent and leaves an existing file as it was. A path that the ANSI file
// functions cannot take is not written at all (Wine would write a file of a mangled name).
void CSheafkeeperDlg::SavePlan(const std::string& path) {
  if (path.size() >= MAX_PATH) return;
  ::SavePlan(path, GetDesRoot(), m_mapFolder, GetExclusionRows(), kWindowsSaveFileOps);
}

std::string CSheafkeeperDlg::GetDesRoot() const {
  return m_pDesFolderSetting ? m_pDesFolderSetting->GetDesRoot() : std::string();
}
