// The copy run in the main dialog: Start and Abort, and the run's view over the command
// strip, the progress bar, the status line and the message queue.
#include "ui/SheafkeeperDlg.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "copy/CopyRun.h"
#include "framework/Application.h"
#include "framework/MessagePump.h"
#include "framework/ModalUi.h"
#include "res/resource.h"

namespace {

const char kCountingStatus[] = "ｶｳﾝﾄ中...";
const char kCopyingStatusFormat[] = "ｺﾋﾟｰ中 %8ld / %8ld  [ %s ]";
const int kCommandButtons[] = {IDOK, IDCANCEL, IDC_NEW, IDC_OPEN, IDC_SAVE};

// The status line for the number-th file copied of total.
std::string CopyingStatus(long number, long total, const char* fileName) {
  std::vector<char> text(sizeof(kCopyingStatusFormat) + 2 * 20 + std::char_traits<char>::length(fileName));
  std::snprintf(text.data(), text.size(), kCopyingStatusFormat, number, total, fileName);
  return text.data();
}

}  // namespace

// A start that the run's own message pump dispatches finds the dialog busy. The run
// offers to pump after every entry; the dialog decides how often it does.
LRESULT CSheafkeeperDlg::OnStart(WPARAM, LPARAM, bool&) {
  if (IsBusy()) return 0;
  CCopyRun run(m_mapFolder, GetDesRoot(), GetExclusionRows(), *this, std::chrono::milliseconds(0));
  run.Run();
  return 0;
}

// The run stops at its next test of the flag.
LRESULT CSheafkeeperDlg::OnAbort(WPARAM, LPARAM, bool&) {
  m_bAbort = 1;
  return 0;
}

void CSheafkeeperDlg::BeginCopyMode() {
  m_bBusy = 1;
  m_bAbort = 0;
  m_lastPump = std::chrono::steady_clock::now();
  for (int id : kCommandButtons) CWnd(GetDlgItem(id)).ShowWindow(SW_HIDE);
  m_progress.SetRange32(0, 1);
  m_progress.SetPos(0);
  m_progress.ShowWindow(SW_SHOW);
  m_staticStatus.ShowWindow(SW_SHOW);
  CWnd(GetDlgItem(IDC_ABORT)).ShowWindow(SW_SHOW);
  Invalidate(true);
}

// The status text and the bar's position keep the last file's figures; the next run
// sets them again.
void CSheafkeeperDlg::EndCopyMode() {
  m_bBusy = 0;
  m_bAbort = 1;
  m_copyingLargeFile = false;
  for (int id : kCommandButtons) CWnd(GetDlgItem(id)).ShowWindow(SW_SHOW);
  m_progress.ShowWindow(SW_HIDE);
  m_staticStatus.ShowWindow(SW_HIDE);
  CWnd(GetDlgItem(IDC_ABORT)).ShowWindow(SW_HIDE);
  DrawProgress();
}

void CSheafkeeperDlg::ShowCounting() {
  m_staticStatus.SetWindowText(kCountingStatus);
}

// The bar starts empty and is full when the last file counted has been copied.
void CSheafkeeperDlg::SetProgressRange(long total) {
  m_progress.SetRange32(0, static_cast<int>(total));
  m_progress.SetPos(0);
  m_pendingProgress =
      PendingProgress{0, static_cast<int>(total), std::string(), true, std::chrono::steady_clock::now()};
}

// The bar stays within its range; for files copied beyond the count, the number shown
// stays one past it.
void CSheafkeeperDlg::OnFileCopied(const char* fileName) {
  m_copyingLargeFile = false;
  PendingProgress& next = m_pendingProgress;
  int number = next.position + 1;
  next.position = std::min(number, next.upper);
  next.status = CopyingStatus(number, next.upper, fileName);
  next.drawn = false;
  if (std::chrono::steady_clock::now() - next.drawnAt >= kProgressDrawInterval) DrawProgress();
}

// The status names the file at once, with the number it will have when copied; the bar
// moves when it has been.
void CSheafkeeperDlg::OnFileCopyStarting(const char* fileName) {
  PendingProgress& next = m_pendingProgress;
  next.status = CopyingStatus(next.position + 1, next.upper, fileName);
  next.drawn = false;
  DrawProgress();
  m_copyingLargeFile = true;
}

void CSheafkeeperDlg::DrawProgress() {
  PendingProgress& next = m_pendingProgress;
  if (next.drawn) return;
  m_progress.SetPos(next.position);
  m_staticStatus.SetWindowText(next.status);
  next.drawn = true;
  next.drawnAt = std::chrono::steady_clock::now();
}

bool CSheafkeeperDlg::PumpMessagesAndReadAbort() {
  const std::chrono::steady_clock::time_point now = std::chrono::steady_clock::now();
  if (m_copyingLargeFile || now - m_lastPump >= kPumpInterval) {
    PumpWaitingMessages();
    m_lastPump = now;
  }
  return m_bAbort == 1;
}

// The box shows over the last file's figures.
void CSheafkeeperDlg::ShowRunMessage(const std::string& text) {
  DrawProgress();
  ModalUi().MessageBox(m_hWnd, text, CWinApp::GetAppName(), MB_OK | MB_ICONEXCLAMATION);
}
