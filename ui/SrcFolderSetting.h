#pragma once
// The source list pane: the source paths of the destination folder selected in the tree.
#include <windows.h>

#include <string>

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/ImageList.h"

class CSheafkeeperDlg;

class CSrcFolderSetting : public CDialog {
 public:
  explicit CSrcFolderSetting(HWND parent);

  // Lists the source paths of key that exist on disk; the empty key, or one that is
  // not in the folder map, leaves the list empty.
  void ShowSourceList(const std::string& key);

  CSheafkeeperDlg* m_pMainDlg = nullptr;  // not owned; may be null
  int m_cxClient = 0;
  int m_cyClient = 0;
  CImageList m_imageList;
  std::string m_strCurKey;
  CEdit m_editFolder;
  CListCtrl m_listSrc;

 protected:
  MessageTable GetMessageTable() const override;
  void DoDataExchange(CDataExchange& dx) override;
  BOOL OnInitDialog() override;

 private:
  void LayOutControls();

  // When the background needs painting.
  LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam, bool& handled);
  // When the pane has been resized.
  LRESULT OnSize(WPARAM wParam, LPARAM lParam, bool& handled);
  // When Enter or Esc reaches the pane: swallowed, so that the pane never closes.
  LRESULT OnSwallowedCommand(WPARAM wParam, LPARAM lParam, bool& handled);
};
