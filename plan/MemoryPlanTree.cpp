#include "plan/MemoryPlanTree.h"

#include <algorithm>

// The name ends at a NUL byte, as the text of a tree view item does.
IPlanTree::Item CMemoryPlanTree::InsertFolder(Item parent, const std::string& name) {
  Children& siblings = ChildrenOf(parent);
  siblings.push_back(std::make_unique<Node>(Node{name.c_str(), parent, siblings.size(), {}}));
  return siblings.back().get();
}

IPlanTree::Item CMemoryPlanTree::GetFirstChild(Item item) {
  Children& children = ChildrenOf(item);
  return children.empty() ? nullptr : children.front().get();
}

IPlanTree::Item CMemoryPlanTree::GetNextSibling(Item item) {
  Children& siblings = ChildrenOf(AsNode(item)->parent);
  std::size_t next = AsNode(item)->position + 1;
  return next < siblings.size() ? siblings[next].get() : nullptr;
}

std::string CMemoryPlanTree::GetItemText(Item item) {
  return AsNode(item)->text;
}

// Children go last first, so that no sibling has to move up.
void CMemoryPlanTree::DeleteFolderItem(Item item) {
  Children& children = ChildrenOf(item);
  while (!children.empty()) DeleteFolderItem(children.back().get());
  m_folders.Remove(KeyOf(item));
  if (m_selected == item) m_selected = nullptr;
  Children& siblings = ChildrenOf(AsNode(item)->parent);
  std::size_t position = AsNode(item)->position;
  siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(position));
  for (std::size_t i = position; i < siblings.size(); ++i) siblings[i]->position = i;
}

IPlanTree::Item CMemoryPlanTree::AddFolder(Item parent, const std::string& name) {
  Item item = InsertFolder(parent, name);
  if (!parent) m_top = item;
  m_folders.SetEmpty(KeyOf(item));
  return item;
}

std::string CMemoryPlanTree::KeyOf(Item item) const {
  const Node* node = AsNode(item);
  return node->parent ? KeyOf(node->parent) + "/" + node->text : node->text;
}

std::string CMemoryPlanTree::Outline(Item item) const {
  std::string text = item ? AsNode(item)->text : std::string();
  const Children& children = ChildrenOf(item);
  if (children.empty()) return text;
  std::string inner;
  for (const auto& child : children) inner += (inner.empty() ? "" : ",") + Outline(child.get());
  return item ? text + "[" + inner + "]" : inner;
}

std::vector<std::string> CMemoryPlanTree::AllKeys(Item item) const {
  std::vector<std::string> keys;
  if (item) keys.push_back(KeyOf(item));
  for (const auto& child : ChildrenOf(item)) {
    std::vector<std::string> below = AllKeys(child.get());
    keys.insert(keys.end(), below.begin(), below.end());
  }
  return keys;
}

bool CMemoryPlanTree::MatchesFolderMap() const {
  std::vector<std::string> keys = AllKeys();
  std::vector<std::string> mapped;
  for (const CFolderMap::Entry& entry : m_folders.Walk()) mapped.push_back(entry.key);
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  std::sort(mapped.begin(), mapped.end());
  return keys == mapped;
}
