#pragma once
// The parts of the main dialog and its panes as a test finds them: the controls by id
// through the windows, nested dialogs included, and a pane through the window it owns.
#include <windows.h>

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "res/resource.h"
#include "ui/DesFolderSetting.h"
#include "ui/SrcFolderSetting.h"

// The control id below top, searched through every descendant window; null when none.
inline HWND FindControl(const CWnd& top, int id) {
  struct Search {
    int id;
    HWND found;
  } search{id, nullptr};
  ::EnumChildWindows(
      top.GetSafeHwnd(),
      [](HWND child, LPARAM data) -> BOOL {
        Search& s = *reinterpret_cast<Search*>(data);
        if (::GetDlgCtrlID(child) != s.id) return TRUE;
        s.found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

template <class Control>
Control ControlOf(const CWnd& top, int id) {
  Control control;
  control.Attach(FindControl(top, id));
  return control;
}

inline CListCtrl Exclusions(const CWnd& top) { return ControlOf<CListCtrl>(top, IDC_NOCOPY_LIST); }
inline CProgressCtrl Progress(const CWnd& top) { return ControlOf<CProgressCtrl>(top, IDC_PROGRESS); }
inline CStatic Status(const CWnd& top) { return ControlOf<CStatic>(top, IDC_STATUS); }
inline CTreeCtrl Tree(const CWnd& top) { return ControlOf<CTreeCtrl>(top, IDC_DESTREE); }
inline CListCtrl SourceRows(const CWnd& top) { return ControlOf<CListCtrl>(top, IDC_SRCLIST); }
inline CEdit SourceFolder(const CWnd& top) { return ControlOf<CEdit>(top, IDC_SRCFOLDER); }
// The destination tree's top folder: its first top-level item.
inline HTREEITEM TopFolder(const CWnd& top) { return Tree(top).GetNextItem(nullptr, TVGN_ROOT); }

// The pane object whose window holds control id.
template <class Pane>
Pane& PaneHolding(const CWnd& top, int id) {
  return *static_cast<Pane*>(CDialog::FromHandle(::GetParent(FindControl(top, id))));
}
inline CDesFolderSetting& DesPane(const CWnd& dialog) { return PaneHolding<CDesFolderSetting>(dialog, IDC_DESTREE); }
inline CSrcFolderSetting& SrcPane(const CWnd& dialog) { return PaneHolding<CSrcFolderSetting>(dialog, IDC_SRCLIST); }
