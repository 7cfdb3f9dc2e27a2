// The destination pane's tree as the plan reader sees it.
#include "plan/DateName.h"
#include "plan/PlanTree.h"
#include "platform/LocaleDate.h"
#include "ui/DesFolderSetting.h"

class CDesFolderSetting::CPlanTree : public IPlanTree {
 public:
  explicit CPlanTree(CDesFolderSetting& pane) : m_pane(pane) {}

  Item GetTopFolder() override;
  void SetTopFolder(Item item) override;
  Item InsertFolder(Item parent, const std::string& name) override;
  Item GetFirstChild(Item item) override;
  Item GetNextSibling(Item item) override;
  std::string GetItemText(Item item) override;
  void DeleteFolderItem(Item item) override;
  void ClearSelection() override;
  void ShowSourceList(const std::string& key) override;
  std::string GetDesRoot() override;
  void SetDesRoot(const std::string& root) override;
  void DeleteAllExclusions() override;
  void AppendExclusion(const std::string& name) override;

 private:
  CDesFolderSetting& m_pane;
};

namespace {
HTREEITEM ToTreeItem(IPlanTree::Item item) { return static_cast<HTREEITEM>(item); }
}  // namespace

IPlanTree::Item CDesFolderSetting::CPlanTree::GetTopFolder() { return m_pane.m_hTopFolder; }

void CDesFolderSetting::CPlanTree::SetTopFolder(Item item) { m_pane.m_hTopFolder = ToTreeItem(item); }

IPlanTree::Item CDesFolderSetting::CPlanTree::InsertFolder(Item parent, const std::string& name) {
  return m_pane.InsertFolder(parent ? ToTreeItem(parent) : TVI_ROOT, name);
}

IPlanTree::Item CDesFolderSetting::CPlanTree::GetFirstChild(Item item) {
  return m_pane.m_tree.GetChildItem(ToTreeItem(item));
}

IPlanTree::Item CDesFolderSetting::CPlanTree::GetNextSibling(Item item) {
  return m_pane.m_tree.GetNextSiblingItem(ToTreeItem(item));
}

std::string CDesFolderSetting::CPlanTree::GetItemText(Item item) { return m_pane.m_tree.GetItemText(ToTreeItem(item)); }

void CDesFolderSetting::CPlanTree::DeleteFolderItem(Item item) { m_pane.DeleteFolderItem(ToTreeItem(item)); }

void CDesFolderSetting::CPlanTree::ClearSelection() { m_pane.m_tree.SelectItem(nullptr); }

void CDesFolderSetting::CPlanTree::ShowSourceList(const std::string& key) { m_pane.m_pMainDlg->ShowSourceList(key); }

std::string CDesFolderSetting::CPlanTree::GetDesRoot() { return m_pane.m_strDesRoot; }

void CDesFolderSetting::CPlanTree::SetDesRoot(const std::string& root) {
  m_pane.m_strDesRoot = root;
  m_pane.UpdateData(false);
}

void CDesFolderSetting::CPlanTree::DeleteAllExclusions() { m_pane.m_pMainDlg->DeleteAllExclusions(); }

void CDesFolderSetting::CPlanTree::AppendExclusion(const std::string& name) {
  m_pane.m_pMainDlg->AppendExclusion(name);
}

PlanLoadResult CDesFolderSetting::LoadPlan(const std::string& path) {
  CPlanTree tree(*this);
  PlanLoadSettings settings{m_pMainDlg->GetWorkDir(), DateFolderName(), IsLocaleDate};
  return ::LoadPlan(path, tree, m_pMainDlg->GetFolderMap(), settings);
}
