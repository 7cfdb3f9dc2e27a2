// The choice to link unchanged files: a check item of the system menu, stored in the
// settings file, and the snapshot step it gives Start.
#include "copy/EntryLookup.h"
#include "copy/PreviousSnapshot.h"
#include "copy/SnapshotLink.h"
#include "platform/Settings.h"
#include "res/resource.h"
#include "ui/DesFolderSetting.h"
#include "ui/SheafkeeperDlg.h"

namespace {

UINT CheckFlag(bool checked) { return checked ? MF_CHECKED : MF_UNCHECKED; }

}  // namespace

// Under the About item, checked as the settings file has it.
void CSheafkeeperDlg::AddLinkItemToSystemMenu() {
  m_bLinkUnchanged = ReadSetting(kLinkUnchanged) == 1;
  HMENU systemMenu = ::GetSystemMenu(m_hWnd, FALSE);
  if (!systemMenu) return;
  char text[256] = "";
  ::LoadStringA(::GetModuleHandleA(nullptr), IDS_LINK_UNCHANGED, text, sizeof(text));
  if (text[0] != '\0') ::AppendMenuA(systemMenu, MF_STRING | CheckFlag(m_bLinkUnchanged), IDM_LINK_UNCHANGED, text);
}

// Stored at once, so that the choice outlives a crash; it takes effect at the next Start.
void CSheafkeeperDlg::ToggleLinkUnchanged() {
  m_bLinkUnchanged = !m_bLinkUnchanged;
  WriteSetting(kLinkUnchanged, m_bLinkUnchanged ? 1 : 0);
  ::CheckMenuItem(::GetSystemMenu(m_hWnd, FALSE), IDM_LINK_UNCHANGED, MF_BYCOMMAND | CheckFlag(m_bLinkUnchanged));
}

// Linked to the newest earlier dated folder beside the top folder; with none, the step
// still leaves the files already copied today.
std::unique_ptr<CSnapshotLink> CSheafkeeperDlg::MakeLinkStep() const {
  if (!m_bLinkUnchanged || !m_pDesFolderSetting) return nullptr;
  const std::string topFolder = NormalisePath(GetDesRoot() + m_pDesFolderSetting->GetTopFolderKey());
  return std::make_unique<CSnapshotLink>(topFolder, FindPreviousSnapshot(topFolder).folder);
}
