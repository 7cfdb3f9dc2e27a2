#pragma once
// The plan reader's view of the destination pane: its tree view, top folder and root,
// the main dialog's source pane and exclusion list.
#include "plan/PlanTree.h"

class CDesFolderSetting;

class CPaneTree : public IPlanTree {
 public:
  explicit CPaneTree(CDesFolderSetting& pane) : m_pane(pane) {}

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
