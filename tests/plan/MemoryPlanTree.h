#pragma once
// The destination pane's side of the plan reader, kept in memory for host tests and the
// fuzzer: folders with texts in child order, the top folder, the selection, the
// destination root and the exclusion rows. Deleting a folder removes the folder map
// entries of it and everything below it, as the pane does.
#include <algorithm>
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

  Item InsertFolder(Item parent, const std::string& name) override {
    Children& siblings = ChildrenOf(parent);
    siblings.push_back(std::make_unique<Node>(Node{name.c_str(), parent, {}}));
    return siblings.back().get();
  }
  Item GetFirstChild(Item item) override {
    Children& children = ChildrenOf(item);
    return children.empty() ? nullptr : children.front().get();
  }
  Item GetNextSibling(Item item) override {
    Children& siblings = ChildrenOf(AsNode(item)->parent);
    auto it = Position(siblings, item);
    return ++it == siblings.end() ? nullptr : it->get();
  }
  std::string GetItemText(Item item) override { return AsNode(item)->text; }
  void DeleteFolderItem(Item item) override {
    Children& children = ChildrenOf(item);
    while (!children.empty()) DeleteFolderItem(children.front().get());
    m_folders.Remove(KeyOf(item));
    if (m_selected == item) m_selected = nullptr;
    Children& siblings = ChildrenOf(AsNode(item)->parent);
    siblings.erase(Position(siblings, item));
  }
  void ClearSelection() override { m_selected = nullptr; }
  void ShowSourceList(const std::string& key) override { m_shownKey = key; }

  std::string GetDesRoot() override { return m_desRoot; }
  void SetDesRoot(const std::string& root) override { m_desRoot = root; }

  void DeleteAllExclusions() override { m_exclusions.clear(); }
  void AppendExclusion(const std::string& name) override { m_exclusions.push_back(name); }

  // A new folder with its folder map entry, as the pane creates one.
  Item AddFolder(Item parent, const std::string& name) {
    Item item = InsertFolder(parent, name);
    if (!parent) m_top = item;
    m_folders.SetEmpty(KeyOf(item));
    return item;
  }

  std::string KeyOf(Item item) const {
    const Node* node = AsNode(item);
    return node->parent ? KeyOf(node->parent) + "/" + node->text : node->text;
  }

  // The whole tree in one line, children in brackets: "2006-05-01[docs[old],pics]".
  std::string Outline(Item item = nullptr) const {
    std::string text = item ? AsNode(item)->text : std::string();
    const Children& children = item ? AsNode(item)->children : m_topLevel;
    if (children.empty()) return text;
    std::string inner;
    for (const auto& child : children) inner += (inner.empty() ? "" : ",") + Outline(child.get());
    return item ? text + "[" + inner + "]" : inner;
  }

  // Keys of every folder, parents before children.
  std::vector<std::string> AllKeys(Item item = nullptr) const {
    std::vector<std::string> keys;
    if (item) keys.push_back(KeyOf(item));
    for (const auto& child : item ? AsNode(item)->children : m_topLevel) {
      std::vector<std::string> below = AllKeys(child.get());
      keys.insert(keys.end(), below.begin(), below.end());
    }
    return keys;
  }

  // True when every folder has a folder map entry and every entry names a folder.
  bool MatchesFolderMap() const {
    std::vector<std::string> keys = AllKeys();
    std::vector<std::string> mapped;
    for (const CFolderMap::Entry& entry : m_folders.Walk()) mapped.push_back(entry.key);
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    std::sort(mapped.begin(), mapped.end());
    return keys == mapped;
  }

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
    Children children;
  };

  static Node* AsNode(Item item) { return static_cast<Node*>(item); }
  Children& ChildrenOf(Item item) { return item ? AsNode(item)->children : m_topLevel; }
  static Children::iterator Position(Children& siblings, Item item) {
    return std::find_if(siblings.begin(), siblings.end(),
                        [item](const std::unique_ptr<Node>& node) { return node.get() == item; });
  }

  CFolderMap& m_folders;
  Children m_topLevel;
  Item m_top = nullptr;
};
