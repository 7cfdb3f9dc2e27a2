#include "ui/SheafkeeperDlg.h"

#include "plan/PlanWriter.h"
#include "ui/DesFolderSetting.h"
#include "ui/FileMove.h"

// A failed save is silent and leaves an existing file as it was.
void CSheafkeeperDlg::SavePlan(const std::string& path) {
  std::string desRoot = m_pDesFolderSetting ? m_pDesFolderSetting->m_strDesRoot : std::string();
  ::SavePlan(path, desRoot, m_mapFolder, GetExclusionRows(), MoveFileReplacing);
}
