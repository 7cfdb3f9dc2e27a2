#pragma once
// The destination folder pane: the destination root and the folder tree, whose items
// stand for the plan's destination folders under one top folder.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/ImageList.h"

class CSheafkeeperDlg;

class CDesFolderSetting : public CDialog {
 public:
  explicit CDesFolderSetting(HWND parent);

  // The destination folder key of item: the item texts from the top folder down,
  // joined by "/"; empty for no item.
  std::string GetFolderKey(HTREEITEM item) const;
  // Removes item, everything under it, and their folder map entries and source lists.
  void DeleteFolderItem(HTREEITEM item);
  // The New command: a fresh top folder named by today's date.
  void ResetFolderTree();
  // Reads a plan file into the tree, the folder map, the root and the exclusion list.
  void LoadPlan(const std::string& path);

  CSheafkeeperDlg* m_pMainDlg = nullptr;  // not owned
  int m_cxClient = 0;
  int m_cyClient = 0;
  CImageList m_imageList;
  HTREEITEM m_hTopFolder = nullptr;
  std::string m_strDesRoot;
  CTreeCtrl m_tree;

 protected:
  MessageTable GetMessageTable() const override;
  void DoDataExchange(CDataExchange& dx) override;
  BOOL OnInitDialog() override;

 private:
  void InsertTopFolder();
  void LayOutControls();

  // When the background needs painting.
  LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam, bool& handled);
  // When the pane has been resized.
  LRESULT OnSize(WPARAM wParam, LPARAM lParam, bool& handled);
  // When Enter or Esc reaches the pane: swallowed, so that the pane never closes.
  LRESULT OnSwallowedCommand(WPARAM wParam, LPARAM lParam, bool& handled);
};
