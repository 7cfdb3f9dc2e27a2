#pragma once
// The main dialog: the program's only top-level window. It owns the plan's folder map,
// the exclusion list and the two panes, lays them out, and runs the commands.
#include <windows.h>

#include <chrono>
#include <string>

#include "copy/CopyRunView.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "plan/FolderMap.h"
#include "ui/PaneHost.h"

class CDesFolderSetting;
class CSrcFolderSetting;

class CSheafkeeperDlg : public CDialog, public IPaneHost, public ICopyRunView {
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
  // The copy run's view: the command strip in its running look, the progress bar, the
  // status line, the abort button and the message queue.
  void BeginCopyMode() override;
  void ShowCounting() override;
  void SetProgressRange(long total) override;
  void OnFileCopyStarting(const char* fileName) override;
  void OnFileCopied(const char* fileName) override;
  bool PumpMessagesAndReadAbort() override;
  void ShowRunMessage(const std::string& text) override;
  void EndCopyMode() override;
  // Writes the plan to a plan file.
  void SavePlan(const std::string& path);
  // The exclusion list's rows, first row first.
  std::vector<std::string> GetExclusionRows() const;

  // The exclusion list's column heading, also the edit dialog's caption.
  static constexpr char kExclusionHeading[] = "ｺﾋﾟｰ対象外ﾌｧｲﾙﾊﾟｽ";

  int m_cxClient = 0;
  int m_cyClient = 0;
  std::string m_strWorkDir;
  CFolderMap m_mapFolder;
  std::string m_strPlanPath;
  CDesFolderSetting* m_pDesFolderSetting = nullptr;  // owned
  CSrcFolderSetting* m_pSrcFolderSetting = nullptr;  // owned
  int m_bBusy = 0;
  int m_bAbort = 1;
  HICON m_hIcon;  // shared icon resource, not destroyed
  CListCtrl m_listNoCopy;
  CProgressCtrl m_progress;
  CStatic m_staticStatus;

 protected:
  // When the run's message pump last handled input, or the run began.
  std::chrono::steady_clock::time_point m_lastPump;

  MessageTable GetMessageTable() const override;
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange& dx) override;

 private:
  bool m_bSessionSaved = false;  // the plan and sizes were saved at the end of the session

  // Start-up steps of the dialog's initialisation.
  void TakeClientSize();
  void AddAboutItemToSystemMenu();
  void CreatePanes();
  void SetUpExclusionList();
  void SetUpCommandStrip();
  void LoadAutomaticPlan();
  void RestoreStoredSizes();
  // What the progress bar and the status line show next during a copy run. Drawing them
  // after every file would take longer than copying a small file, so they are drawn at
  // most every kProgressDrawInterval and when the run stops.
  struct PendingProgress {
    int position = 0;  // the bar's position, within its range
    int upper = 0;     // the bar's upper bound
    std::string status;
    bool drawn = true;
    std::chrono::steady_clock::time_point drawnAt;
  };
  static constexpr std::chrono::milliseconds kProgressDrawInterval{250};
  PendingProgress m_pendingProgress;
  // Handling input costs more than copying a small file, so during a run it is handled at
  // most every kPumpInterval; while a large file is copied, whenever the run waits.
  static constexpr std::chrono::milliseconds kPumpInterval{30};
  bool m_copyingLargeFile = false;

  // Shutdown steps of the window's destruction.
  void SaveState();
  void DestroyPanes();

  bool AskPlanFileName(bool open, std::string& path);
  std::string GetDesRoot() const;
  // Puts the copy run's latest figures into the progress bar and the status line.
  void DrawProgress();
  // The exclusion list's three edits.
  void AddExclusion();
  void EditSelectedExclusion();
  void DeleteSelectedExclusions();
  void PaintMinimizedIcon();

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
  // When the Windows session ends (log-off or shutdown).
  LRESULT OnEndSession(WPARAM wParam, LPARAM lParam, bool& handled);
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
