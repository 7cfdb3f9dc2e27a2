// Editing the exclusion list: the column header's menu (Add, Edit, Delete), a double
// click (Edit) and the Delete key.
#include "ui/SheafkeeperDlg.h"

#include <commctrl.h>

#include <vector>

#include "framework/ModalUi.h"
#include "ui/EditDlg.h"

namespace {

// The menu's command ids. 1 and 2 equal the ids of Start and Exit, so a chosen command
// is carried out by the header click alone and never routed as a command.
const int kAddCommand = 0;
const int kEditCommand = 1;
const int kDeleteCommand = 2;

// Runs the edit dialog on text; true, with text replaced, when it ends with OK and a
// text that is not empty.
bool AskExclusionText(std::string& text) {
  CEditDlg dialog(nullptr);
  dialog.m_strCaption = CSheafkeeperDlg::kExclusionHeading;
  dialog.m_strText = text;
  if (ModalUi().DoModal(dialog) != IDOK || dialog.m_strText.empty()) return false;
  text = dialog.m_strText;
  return true;
}

}  // namespace

void CSheafkeeperDlg::AddExclusion() {
  std::string text;
  if (!AskExclusionText(text)) return;
  AppendExclusion(text);
  PlanChanged();
}

void CSheafkeeperDlg::EditSelectedExclusion() {
  int row = m_listNoCopy.GetNextItem(-1, LVNI_SELECTED);
  if (row < 0) return;
  std::string text = m_listNoCopy.GetItemText(row, 0);
  if (!AskExclusionText(text)) return;
  m_listNoCopy.SetItemText(row, 0, text);
  PlanChanged();
}

// From the last row up, so that deleting a row never moves one not yet visited.
void CSheafkeeperDlg::DeleteSelectedExclusions() {
  for (int row = m_listNoCopy.GetItemCount() - 1; row >= 0; --row) {
    if (m_listNoCopy.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) m_listNoCopy.DeleteItem(row);
  }
  PlanChanged();
}

// Called when an item of the exclusion list's column header is clicked.
LRESULT CSheafkeeperDlg::OnExclusionHeaderClick(const NMHDR&) {
  if (IsBusy()) return 0;
  POINT cursor{};
  ::GetCursorPos(&cursor);
  std::vector<MenuItem> items{{kAddCommand, "追加", false}};
  int selected = m_listNoCopy.GetSelectedCount();
  if (selected >= 1) {
    items.push_back({0, "", true});
    if (selected == 1) items.push_back({kEditCommand, "選択ﾚｺｰﾄﾞの編集", false});
    items.push_back({kDeleteCommand, "選択ﾚｺｰﾄﾞの削除", false});
  }
  switch (ModalUi().TrackPopupMenu(m_hWnd, items, cursor, TPM_LEFTALIGN | TPM_LEFTBUTTON)) {
    case kAddCommand:
      AddExclusion();
      break;
    case kEditCommand:
      EditSelectedExclusion();
      break;
    case kDeleteCommand:
      DeleteSelectedExclusions();
      break;
    default:
      break;
  }
  return 0;
}

// Called when the exclusion list is double-clicked; which row was hit does not matter.
LRESULT CSheafkeeperDlg::OnExclusionDblClk(const NMHDR&) {
  if (!IsBusy() && m_listNoCopy.GetSelectedCount() == 1) EditSelectedExclusion();
  return 0;
}

// Called when a key is pressed in the exclusion list.
LRESULT CSheafkeeperDlg::OnExclusionKeyDown(const NMLVKEYDOWN& key) {
  if (!IsBusy() && key.wVKey == VK_DELETE && m_listNoCopy.GetSelectedCount() >= 1) DeleteSelectedExclusions();
  return 0;
}
