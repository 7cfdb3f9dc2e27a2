#pragma once
// The copy run's view on a console: the count and "n / total" with the current file
// name on stderr, redrawn in place on a console and at most a few times a second; the
// run's messages, each failure with its reason, also in the log; Ctrl+C and Ctrl+Break
// as the abort button.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "copy/CopyRunView.h"


class CRunLog;

class CConsoleRunView : public ICopyRunView {
 public:
  // quiet: only the run's messages and failures are written. log may be null.
  CConsoleRunView(std::FILE* out, bool quiet, CRunLog* log = nullptr);

  void BeginCopyMode() override {}
  void ShowCounting() override;
  void SetProgressRange(long total) override;
  void OnFileCopyStarting(const char* fileName) override;
  void OnFileCopied(const char* fileName) override;
  bool PumpMessagesAndReadAbort() override;
  void ShowAborted() override;
  void ShowFailure(const CopyFailure& failure) override;
  void OnRetrying(const std::wstring& path) override;
  void OnNotFollowed(const std::wstring& path) override;
  void EndCopyMode() override;

 private:
  using Clock = std::chrono::steady_clock;

  // Writes line; on a console over the line drawn last, which stays open unless final.
  void Show(const std::string& line, bool final);
  void DrawProgress(bool final);
  // Shows number and fileName next, now if the draw interval has passed.
  void ShowNext(long number, const char* fileName);
  void DrawIfDue();

  std::FILE* m_out;  // not owned
  const bool m_quiet;
  CRunLog* m_log;  // not owned
  const bool m_onConsole;
  const std::size_t m_consoleWidth;
  const Clock::duration m_drawInterval;
  std::size_t m_openLineLength = 0;  // the line drawn last on a console, while not ended
  long m_total = 0;
  long m_copied = 0;
  long m_number = 0;  // the number shown before the file name
  std::string m_fileName;
  bool m_drawn = true;
  Clock::time_point m_drawnAt;
};

// While it lives, Ctrl+C and Ctrl+Break, and the console's close, log-off and shutdown,
// ask every console run view for an abort. It ends after the run's log is written.
class CConsoleBreakCatcher {
 public:
  CConsoleBreakCatcher();
  ~CConsoleBreakCatcher();
  CConsoleBreakCatcher(const CConsoleBreakCatcher&) = delete;
  CConsoleBreakCatcher& operator=(const CConsoleBreakCatcher&) = delete;
};

// The console control handler: the system calls it on a thread of its own.
BOOL WINAPI OnConsoleBreak(DWORD event);
// True when the abort came from a close, log-off or shutdown rather than a key.
bool StoppedBySystem();
