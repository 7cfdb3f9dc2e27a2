#pragma once
// The destination folder pane: the destination root and the folder tree, whose items
// stand for the plan's destination folders under one top folder.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Controls.h"
#include "framework/ImageList.h"
#include "plan/PlanReader.h"
#include "ui/PaneDialog.h"

class CDesFolderSetting : public CPaneDialog {
 public:
  CDesFolderSetting(IPaneHost& host, HWND parent);

  // The destination folder key of item: the item texts from the top folder down,
  // joined by "/"; empty for no item.
  std::string GetFolderKey(HTREEITEM item) const;
  std::string GetTopFolderKey() const { return GetFolderKey(m_hTopFolder); }
  // Removes item, everything under it, and their folder map entries and source lists.
  void DeleteFolderItem(HTREEITEM item);
  // Inserts a folder as the last child of parent (TVI_ROOT: a top-level folder).
  HTREEITEM InsertFolder(HTREEITEM parent, const std::string& name);
  // The New command: a fresh top folder named by today's date.
  void ResetFolderTree();
  // Reads a plan file into the tree, the folder map, the root and the exclusion list.
  PlanLoadResult LoadPlan(const std::string& path);
  // The destination root, ending in a backslash.
  const std::string& GetDesRoot() const { return m_strDesRoot; }

 protected:
  MessageTable GetMessageTable() const override;
  void DoDataExchange(CDataExchange& dx) override;
  // While idle: Enter ends a name edit keeping the text and presses no button; F2 edits
  // the selected folder's name. Shift+F10 and the menu key in the tree ask for its menu.
  bool PreTranslateMessage(MSG& msg) override;
  BOOL OnInitDialog() override;

 private:
  // The plan reader's view of the pane: the tree view, the top folder and the root, and
  // the host's source pane and exclusion list.
  class CPlanTree;

  CImageList m_imageList;
  HTREEITEM m_hTopFolder = nullptr;
  std::string m_strDesRoot;
  CTreeCtrl m_tree;

  // True for Shift+F10 and for the menu key, pressed or released.
  static bool IsMenuKey(const MSG& msg);
  void InsertTopFolder();
  void LayOutControls() override;
  HTREEITEM HitItem() const;
  void ShowMenuFor(HTREEITEM item, POINT screen);
  void CreateFolder(HTREEITEM parent);
  void RenameFolder(HTREEITEM item);
  void DeleteFolder(HTREEITEM item);
  std::string NewFolderName(HTREEITEM parent) const;
  bool IsAcceptableName(HTREEITEM item, const std::string& name) const;
  void ApplyName(HTREEITEM item, const std::string& name);

  // When the background needs painting.
  LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam, bool& handled);
  // When the tree is right-clicked: the folder menu for the item under the cursor.
  LRESULT OnTreeRightClick(const NMHDR& header);
  // When the context menu is asked for: from the keyboard (Shift+F10 or the menu key) in
  // the tree, the folder menu of the selected item.
  LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam, bool& handled);
  // When a name edit in the tree ends, typed or cancelled.
  LRESULT OnEndLabelEdit(const NMTVDISPINFOA& info);
  // When the tree's selection has changed.
  LRESULT OnSelChanged(const NMTREEVIEWA& change);
  // When "..." is clicked: the folder browser chooses the destination root.
  LRESULT OnBrowse(WPARAM wParam, LPARAM lParam, bool& handled);
};
