#include "ui/PaneTree.h"

#include "ui/DesFolderSetting.h"

namespace {
HTREEITEM ToTreeItem(IPlanTree::Item item) { return static_cast<HTREEITEM>(item); }
}  // namespace

IPlanTree::Item CPaneTree::GetTopFolder() { return m_pane.m_hTopFolder; }

void CPaneTree::SetTopFolder(Item item) { m_pane.m_hTopFolder = ToTreeItem(item); }

IPlanTree::Item CPaneTree::InsertFolder(Item parent, const std::string& name) {
  return m_pane.InsertFolder(parent ? ToTreeItem(parent) : TVI_ROOT, name);
}

IPlanTree::Item CPaneTree::GetFirstChild(Item item) { return m_pane.m_tree.GetChildItem(ToTreeItem(item)); }

IPlanTree::Item CPaneTree::GetNextSibling(Item item) {
  return m_pane.m_tree.GetNextSiblingItem(ToTreeItem(item));
}

std::string CPaneTree::GetItemText(Item item) { return m_pane.m_tree.GetItemText(ToTreeItem(item)); }

void CPaneTree::DeleteFolderItem(Item item) { m_pane.DeleteFolderItem(ToTreeItem(item)); }

void CPaneTree::ClearSelection() { m_pane.m_tree.SelectItem(nullptr); }

void CPaneTree::ShowSourceList(const std::string& key) { m_pane.m_pMainDlg->ShowSourceList(key); }

std::string CPaneTree::GetDesRoot() { return m_pane.m_strDesRoot; }

void CPaneTree::SetDesRoot(const std::string& root) {
  m_pane.m_strDesRoot = root;
  m_pane.UpdateData(false);
}

void CPaneTree::DeleteAllExclusions() { m_pane.m_pMainDlg->DeleteAllExclusions(); }

void CPaneTree::AppendExclusion(const std::string& name) {
  m_pane.m_pMainDlg->AppendExclusion(name);
}
