#pragma once
// The copy run's view in the main dialog: the command strip in its running look, the
// progress bar, the status line, the abort button and the dialog's message queue. The busy
// and abort flags stay the dialog's; the strip sets them as the run begins and ends.
#include <chrono>
#include <string>

#include "copy/CopyRunView.h"
#include "framework/Controls.h"

class CRunLog;
class CSheafkeeperDlg;

class CCopyRunStrip : public ICopyRunView {
 public:
  explicit CCopyRunStrip(CSheafkeeperDlg& dialog) : m_dialog(dialog) {}

  // Takes the strip's controls from the dialog's window and gives the strip its idle look:
  // the command buttons at their fixed size, the progress controls hidden.
  void SetUp();

  void BeginCopyMode() override;
  void ShowCounting() override;
  void SetProgressRange(long total) override;
  void OnFileCopyStarting(const char* fileName) override;
  void OnFileCopied(const char* fileName) override;
  bool PumpMessagesAndReadAbort() override;
  void ShowAborted() override;
  void ShowFailure(const CopyFailure& failure) override;
  void OnNotFollowed(const std::wstring& path) override;
  void EndCopyMode() override;
  // Failures and folders not followed also go to log while it is set; null for none.
  void UseLog(CRunLog* log) { m_log = log; }

 protected:
  // When the run's message pump last handled input, or the run began.
  std::chrono::steady_clock::time_point m_lastPump;

 private:
  // What the progress bar and the status line show next. Drawing them after every file
  // would take longer than copying a small file, so they are drawn at most every
  // kProgressDrawInterval and when the run stops.
  struct PendingProgress {
    int position = 0;  // the bar's position, within its range
    int upper = 0;     // the bar's upper bound
    std::string status;
    bool drawn = true;
    std::chrono::steady_clock::time_point drawnAt;
  };
  static constexpr std::chrono::milliseconds kProgressDrawInterval{250};
  // Handling input costs more than copying a small file, so during a run it is handled at
  // most every kPumpInterval; while a large file is copied, whenever the run waits.
  static constexpr std::chrono::milliseconds kPumpInterval{30};

  // Shows or hides the command buttons, and the progress controls the other way.
  void ShowRunningLook(bool running);
  // Puts the run's latest figures into the progress bar and the status line.
  void DrawProgress();
  // Shows the run's message over its last figures.
  void ShowRunMessage(const std::string& text);

  CSheafkeeperDlg& m_dialog;  // not owned; the dialog owns the strip
  CProgressCtrl m_progress;
  CStatic m_staticStatus;
  PendingProgress m_pendingProgress;
  bool m_copyingLargeFile = false;
  CRunLog* m_log = nullptr;  // not owned
};
