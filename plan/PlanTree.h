#pragma once
// What the plan reader changes besides the folder map: the destination folder tree with
// its top folder, the destination root, the tree's selection, the source pane and the
// exclusion list. The destination pane implements it over its tree view control.
#include <string>

class IPlanTree {
 public:
  // An opaque tree item handle; null stands for no item.
  using Item = void*;

  virtual ~IPlanTree() = default;

  // The top folder, null while there is none.
  virtual Item GetTopFolder() = 0;
  virtual void SetTopFolder(Item item) = 0;

  // Inserts a folder as the last child of parent (null: as the last top-level item). An
  // item's text is a C string: a name holding a NUL byte is cut there, as a tree view does.
  virtual Item InsertFolder(Item parent, const std::string& name) = 0;
  // Children in order; null when there are no more.
  virtual Item GetFirstChild(Item item) = 0;
  virtual Item GetNextSibling(Item item) = 0;
  virtual std::string GetItemText(Item item) = 0;
  // Deletes the item and everything below it, with their folder map entries and source lists.
  virtual void DeleteFolderItem(Item item) = 0;
  virtual void ClearSelection() = 0;
  // Makes the source pane show the source list of key (empty key: nothing).
  virtual void ShowSourceList(const std::string& key) = 0;

  virtual std::string GetDesRoot() = 0;
  // Sets the destination root and refreshes its display.
  virtual void SetDesRoot(const std::string& root) = 0;

  virtual void DeleteAllExclusions() = 0;
  virtual void AppendExclusion(const std::string& name) = 0;
};
