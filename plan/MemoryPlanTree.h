#pragma once
// The destination pane's side of the plan reader, kept in memory: folders with texts in
// child order, the top folder, the selection, the destination root and the exclusion
// rows. The console runner reads its plan into it, and the host tests and the fuzzer
// use it. Deleting a folder removes the folder map entries of it and everything below
// it, as the pane does.
#include <memory>
#include <string>
#include <vector>

#include "plan/FolderMap.h"
#include "plan/PlanTree.h"

class CMemoryPlanTree : public IPlanTree {
 public:
  explicit CMemoryPlanTree(CFolderMap& folders) : m_folders(folders) {}

  Item GetTopFolder() override { return m_top; }
  void SetTopFolder(Item item) override { m_top = item; }
  Item InsertFolder(Item parent, const std::string& name) override;
  Item GetFirstChild(Item item) override;
  Item GetNextSibling(Item item) override;
  std::string GetItemText(Item item) override;
  void DeleteFolderItem(Item item) override;
  void ClearSelection() override { m_selected = nullptr; }
  void ShowSourceList(const std::string& key) override { m_shownKey = key; }
  std::string GetDesRoot() override { return m_desRoot; }
  void SetDesRoot(const std::string& root) override { m_desRoot = root; }
  void DeleteAllExclusions() override { m_exclusions.clear(); }
  void AppendExclusion(const std::string& name) override { m_exclusions.push_back(name); }

  // A new folder with its folder map entry, as the pane creates one; a folder without
  // a parent becomes the top folder.
  Item AddFolder(Item parent, const std::string& name);

  std::string KeyOf(Item item) const;

  // The whole tree in one line, children in brackets: "2006-05-01[docs[old],pics]".
  std::string Outline(Item item = nullptr) const;

  // Keys of every folder, parents before children.
  std::vector<std::string> AllKeys(Item item = nullptr) const;

  // True when every folder has a folder map entry and every entry names a folder.
  bool MatchesFolderMap() const;

  Item m_selected = nullptr;
  std::string m_shownKey = "(none)";
  std::string m_desRoot;
  std::vector<std::string> m_exclusions;

 private:
  struct Node;
  using Children = std::vector<std::unique_ptr<Node>>;
  struct Node {
    std::string text;
    Item parent;
    std::size_t position;  // among its siblings, so that the next sibling is found directly
    Children children;
  };

  static Node* AsNode(Item item) { return static_cast<Node*>(item); }
  Children& ChildrenOf(Item item) { return item ? AsNode(item)->children : m_topLevel; }
  const Children& ChildrenOf(Item item) const { return item ? AsNode(item)->children : m_topLevel; }

  CFolderMap& m_folders;
  Children m_topLevel;
  Item m_top = nullptr;
};
