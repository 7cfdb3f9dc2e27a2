#pragma once
// The source list pane: the source paths of the destination folder selected in the tree.
// Files and folders dropped from the shell join the shown folder's source list, the
// Delete key clears the selected ones, and edit 1003 shows where the selected one lives.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "framework/Controls.h"
#include "framework/ImageList.h"
#include "plan/FolderMap.h"
#include "ui/PaneDialog.h"

class CSrcFolderSetting : public CPaneDialog {
 public:
  CSrcFolderSetting(IPaneHost& host, HWND parent);

  // Shows one row per source path of key, in list order: its name on disk with a folder
  // or a blank picture, or the path as stored with the missing picture when the lookup
  // fails; cleared entries get no row. A key that is not in the folder map shows nothing.
  void ShowSourceList(const std::string& key);
  // The key whose source list is shown; empty when none is.
  const std::string& GetShownKey() const { return m_strCurKey; }

 protected:
  MessageTable GetMessageTable() const override;
  void DoDataExchange(CDataExchange& dx) override;
  BOOL OnInitDialog() override;

 private:
  CImageList m_imageList;
  std::string m_strCurKey;
  CEdit m_editFolder;
  CListCtrl m_listSrc;

  void LayOutControls() override;
  // The source list of the shown folder, or null when none is shown or it has none yet.
  CSourceList* GetShownSourceList() const;
  // True when the pane may change the plan: no copy run is active.
  bool IsIdle() const;
  // Appends a row whose item data is the source's position in its list.
  void AppendRow(const std::string& text, int image, std::size_t position);
  // Appends the dropped paths that exist and are not listed yet to sources.
  void AddDroppedSources(HDROP drop, CSourceList& sources);
  // Deletes the selected rows, last first, and clears their entries in sources.
  void ClearSelectedSources(CSourceList& sources);

  // When the background needs painting.
  LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam, bool& handled);
  // When files are dropped from the shell anywhere on the pane.
  LRESULT OnDropFiles(WPARAM wParam, LPARAM lParam, bool& handled);
  // When the system asks how far the pane may be sized by its grip: the base's minimum,
  // and no lower than the main dialog leaves room for.
  LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam, bool& handled);
  // When the state of a row of the list changes, its selection among them.
  LRESULT OnSourceItemChanged(const NMHDR& header);
  // When a key is pressed in the list.
  LRESULT OnSourceKeyDown(const NMLVKEYDOWN& key);
};
