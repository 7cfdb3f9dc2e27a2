#pragma once
// The source list pane: the source paths of the destination folder selected in the tree.
#include <windows.h>

#include <string>

#include "framework/Controls.h"
#include "framework/ImageList.h"
#include "ui/PaneDialog.h"

class CSrcFolderSetting : public CPaneDialog {
 public:
  explicit CSrcFolderSetting(HWND parent);

  // Lists the source paths of key that exist on disk; the empty key, or one that is
  // not in the folder map, leaves the list empty.
  void ShowSourceList(const std::string& key);

  CImageList m_imageList;
  std::string m_strCurKey;
  CEdit m_editFolder;
  CListCtrl m_listSrc;

 protected:
  MessageTable GetMessageTable() const override;
  void DoDataExchange(CDataExchange& dx) override;
  BOOL OnInitDialog() override;

 private:
  void LayOutControls() override;

  // When the background needs painting.
  LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam, bool& handled);
};
