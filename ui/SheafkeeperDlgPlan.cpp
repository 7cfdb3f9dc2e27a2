#include "ui/SheafkeeperDlg.h"

#include <cstring>

#include "plan/PlanWriter.h"
#include "ui/DesFolderSetting.h"
#include "ui/FileMove.h"

// A failed save is silent and leaves an existing file as it was. A path whose temporary
// file the ANSI file functions cannot name is not written at all.
void CSheafkeeperDlg::SavePlan(const std::string& path) {
  if (path.size() + std::strlen(kTemporarySuffix) >= MAX_PATH) return;
  ::SavePlan(path, GetDesRoot(), m_mapFolder, GetExclusionRows(), MoveFileReplacing);
}

std::string CSheafkeeperDlg::GetDesRoot() const {
  return m_pDesFolderSetting ? m_pDesFolderSetting->m_strDesRoot : std::string();
}
