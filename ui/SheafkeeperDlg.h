#pragma once
// The main dialog: the program's only top-level window. It owns the plan's folder map,
// the exclusion list, the two panes and the copy run's strip, lays them out, and runs the
// commands.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "plan/FolderMap.h"
#include "ui/CopyRunStrip.h"
#include "ui/PaneHost.h"

class CDesFolderSetting;
class CSnapshotLink;
class CSingleInstance;
class CSrcFolderSetting;

class CSheafkeeperDlg : public CDialog, public IPaneHost {
 public:
  explicit CSheafkeeperDlg(HWND parent);
  ~CSheafkeeperDlg() override;

  // Places the panes, the exclusion list and the command strip from the client size.
  void RecalcLayout() override;
  // Shows the source list of key in the source pane, when there is one.
  void ShowSourceList(const std::string& key) override;
  bool IsBusy() const override { return m_bBusy != 0; }
  CFolderMap& GetFolderMap() override { return m_mapFolder; }
  const std::string& GetWorkDir() const override { return m_strWorkDir; }
  int GetClientHeight() const override { return m_cyClient; }
  void InvalidateHost() override { Invalidate(true); }
  void DeleteAllExclusions() override { m_listNoCopy.DeleteAllItems(); }
  void AppendExclusion(const std::string& name) override;
  // Saves temp.xml about a second after the last of a series of changes.
  void PlanChanged() override;
  // The window is marked for a later start in the same working folder; set before it is created.
  void SetSingleInstance(const CSingleInstance* instance) { m_pSingleInstance = instance; }
  // True once Abort has been clicked in the current copy run, and while none runs.
  bool IsAbortRequested() const { return m_bAbort == 1; }
  // The view that Start hands to the copy run; its BeginCopyMode makes the dialog busy.
  virtual ICopyRunView& GetCopyRunView() { return m_copyRunStrip; }
  // Writes the plan to a plan file.
  void SavePlan(const std::string& path);
  // The exclusion list's rows, first row first.
  std::vector<std::string> GetExclusionRows() const;

  // The exclusion list's column heading, also the edit dialog's caption.
  static constexpr char kExclusionHeading[] = "ｺﾋﾟｰ対象外ﾌｧｲﾙﾊﾟｽ";

 protected:
  MessageTable GetMessageTable() const override;
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange& dx) override;

 private:
  friend class CCopyRunStrip;

  int m_cxClient = 0;
  int m_cyClient = 0;
  std::string m_strWorkDir;
  CFolderMap m_mapFolder;
  std::string m_strPlanPath;
  std::unique_ptr<CDesFolderSetting> m_pDesFolderSetting;
  std::unique_ptr<CSrcFolderSetting> m_pSrcFolderSetting;
  int m_bBusy = 0;
  int m_bAbort = 1;
  HICON m_hIcon;  // shared icon resource, not destroyed
  CListCtrl m_listNoCopy;
  CCopyRunStrip m_copyRunStrip{*this};
  bool m_bSessionSaved = false;  // the plan and sizes were saved at the end of the session
  const CSingleInstance* m_pSingleInstance = nullptr;  // not owned; null in tests
  bool m_bLinkUnchanged = false;  // the system menu's check item, stored in the settings

  // The copy run's strip sets the flags as a run begins and ends; while it runs, Windows
  // is told why the session should not end yet.
  void EnterBusyState() {
    m_bBusy = 1;
    m_bAbort = 0;
    ::ShutdownBlockReasonCreate(m_hWnd, kSessionBlockReason);
  }
  void LeaveBusyState() {
    m_bBusy = 0;
    m_bAbort = 1;
    ::ShutdownBlockReasonDestroy(m_hWnd);
  }
  static constexpr wchar_t kSessionBlockReason[] = L"バックアップ中です";

  // Start-up steps of the dialog's initialisation.
  void TakeClientSize();
  void AddAboutItemToSystemMenu();
  void AddLinkItemToSystemMenu();
  void CreatePanes();
  void SetUpExclusionList();
  void LoadAutomaticPlan();
  void SaveAutomaticPlan();
  void RestoreStoredSizes();
  // Shutdown steps of the window's destruction.
  void SaveState();
  void DestroyPanes();

  bool AskPlanFileName(bool open, std::string& path);
  std::string GetDesRoot() const;
  // The exclusion list's three edits.
  void AddExclusion();
  void EditSelectedExclusion();
  void DeleteSelectedExclusions();
  void PaintMinimizedIcon();
  // The link choice: its check mark and stored value turned over, and the step that Start
  // hands to the copy run, null while it is unchecked.
  void ToggleLinkUnchanged();
  std::unique_ptr<CSnapshotLink> MakeLinkStep() const;

  // When a system menu command is chosen.
  LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam, bool& handled);
  // When the window is painted.
  LRESULT OnPaint(WPARAM wParam, LPARAM lParam, bool& handled);
  // When the user drags the minimised window.
  LRESULT OnQueryDragIcon(WPARAM wParam, LPARAM lParam, bool& handled);
  // When the background needs painting.
  LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam, bool& handled);
  // When the window has been resized.
  LRESULT OnSize(WPARAM wParam, LPARAM lParam, bool& handled);
  // When the window is being destroyed: the shutdown sequence.
  LRESULT OnDestroy(WPARAM wParam, LPARAM lParam, bool& handled);
  // When Windows asks whether the session may end (log-off or shutdown).
  LRESULT OnQueryEndSession(WPARAM wParam, LPARAM lParam, bool& handled);
  // When the Windows session ends (log-off or shutdown).
  LRESULT OnEndSession(WPARAM wParam, LPARAM lParam, bool& handled);
  // When the timer that a change to the plan started runs out.
  LRESULT OnTimer(WPARAM wParam, LPARAM lParam, bool& handled);
  // When the system asks for the window's size limits.
  LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam, bool& handled);
  // When New is clicked.
  LRESULT OnNew(WPARAM wParam, LPARAM lParam, bool& handled);
  // When Open is clicked.
  LRESULT OnOpen(WPARAM wParam, LPARAM lParam, bool& handled);
  // When Save is clicked.
  LRESULT OnSave(WPARAM wParam, LPARAM lParam, bool& handled);
  // When an item of the exclusion list's column header is clicked: the list's menu.
  LRESULT OnExclusionHeaderClick(const NMHDR& header);
  // When a key is pressed in the exclusion list.
  LRESULT OnExclusionKeyDown(const NMLVKEYDOWN& key);
  // When the exclusion list is double-clicked.
  LRESULT OnExclusionDblClk(const NMHDR& header);
  // When Start is clicked or Enter is pressed.
  LRESULT OnStart(WPARAM wParam, LPARAM lParam, bool& handled);
  // When Exit is clicked, Esc is pressed or the window is closed.
  LRESULT OnExit(WPARAM wParam, LPARAM lParam, bool& handled);
  // When Abort is clicked during a copy run.
  LRESULT OnAbort(WPARAM wParam, LPARAM lParam, bool& handled);
};
