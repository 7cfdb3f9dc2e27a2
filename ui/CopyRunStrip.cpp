#include "ui/CopyRunStrip.h"

#include "platform/RunLog.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "framework/Application.h"
#include "framework/MessagePump.h"
#include "framework/ModalUi.h"
#include "res/resource.h"
#include "ui/MainLayout.h"
#include "ui/SheafkeeperDlg.h"

namespace {

const char kCountingStatus[] = "ｶｳﾝﾄ中...";
const char kAbortedMessage[] = "コピーを中断しました";
const char kFailedMessageEnd[] = "]のコピーに失敗しました";
const char kCopyingStatusFormat[] = "ｺﾋﾟｰ中 %8ld / %8ld  [ %s ]";
const int kCommandButtons[] = {IDOK, IDCANCEL, IDC_NEW, IDC_OPEN, IDC_SAVE};

// The status line for the number-th file copied of total.
std::string CopyingStatus(long number, long total, const char* fileName) {
  std::vector<char> text(sizeof(kCopyingStatusFormat) + 2 * 20 + std::char_traits<char>::length(fileName));
  std::snprintf(text.data(), text.size(), kCopyingStatusFormat, number, total, fileName);
  return text.data();
}

}  // namespace

void CCopyRunStrip::SetUp() {
  m_progress.Attach(m_dialog.GetDlgItem(IDC_PROGRESS));
  m_staticStatus.Attach(m_dialog.GetDlgItem(IDC_STATUS));
  for (int id : kCommandButtons) CWnd(m_dialog.GetDlgItem(id)).SetSize(kButtonWidth, kButtonHeight);
  CWnd(m_dialog.GetDlgItem(IDC_ABORT)).SetSize(kButtonWidth, kButtonHeight);
  ShowRunningLook(false);
}

void CCopyRunStrip::ShowRunningLook(bool running) {
  for (int id : kCommandButtons) CWnd(m_dialog.GetDlgItem(id)).ShowWindow(running ? SW_HIDE : SW_SHOW);
  const int progressLook = running ? SW_SHOW : SW_HIDE;
  m_progress.ShowWindow(progressLook);
  m_staticStatus.ShowWindow(progressLook);
  CWnd(m_dialog.GetDlgItem(IDC_ABORT)).ShowWindow(progressLook);
}

void CCopyRunStrip::BeginCopyMode() {
  m_dialog.EnterBusyState();
  m_lastPump = std::chrono::steady_clock::now();
  ShowRunningLook(true);
  m_progress.SetRange32(0, 1);
  m_progress.SetPos(0);
  m_dialog.Invalidate(true);
}

// The status text and the bar's position keep the last file's figures; the next run
// sets them again.
void CCopyRunStrip::EndCopyMode() {
  m_dialog.LeaveBusyState();
  m_copyingLargeFile = false;
  ShowRunningLook(false);
  DrawProgress();
}

void CCopyRunStrip::ShowCounting() { m_staticStatus.SetWindowText(kCountingStatus); }

// The bar starts empty and is full when the last file counted has been copied.
void CCopyRunStrip::SetProgressRange(long total) {
  m_progress.SetRange32(0, static_cast<int>(total));
  m_progress.SetPos(0);
  m_pendingProgress =
      PendingProgress{0, static_cast<int>(total), std::string(), true, std::chrono::steady_clock::now()};
}

// The bar stays within its range; for files copied beyond the count, the number shown
// stays one past it.
void CCopyRunStrip::OnFileCopied(const char* fileName) {
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
void CCopyRunStrip::OnFileCopyStarting(const char* fileName) {
  PendingProgress& next = m_pendingProgress;
  next.status = CopyingStatus(next.position + 1, next.upper, fileName);
  next.drawn = false;
  DrawProgress();
  m_copyingLargeFile = true;
}

void CCopyRunStrip::DrawProgress() {
  PendingProgress& next = m_pendingProgress;
  if (next.drawn) return;
  m_progress.SetPos(next.position);
  m_staticStatus.SetWindowText(next.status);
  next.drawn = true;
  next.drawnAt = std::chrono::steady_clock::now();
}

bool CCopyRunStrip::PumpMessagesAndReadAbort() {
  const std::chrono::steady_clock::time_point now = std::chrono::steady_clock::now();
  if (m_copyingLargeFile || now - m_lastPump >= kPumpInterval) {
    PumpWaitingMessages();
    m_lastPump = now;
  }
  return m_dialog.IsAbortRequested();
}

void CCopyRunStrip::ShowAborted() {
  ShowRunMessage(kAbortedMessage);
}

// The box names the source path as the plan holds it; the log names the entry and why.
void CCopyRunStrip::ShowFailure(const CopyFailure& failure) {
  if (m_log != nullptr) m_log->WriteFailure(failure);
  ShowRunMessage("[" + failure.source + kFailedMessageEnd);
}

void CCopyRunStrip::OnNotFollowed(const std::wstring& path) {
  if (m_log != nullptr) m_log->WriteNotFollowed(path);
}

// The box shows over the last file's figures.
void CCopyRunStrip::ShowRunMessage(const std::string& text) {
  DrawProgress();
  ModalUi().MessageBox(m_dialog.GetSafeHwnd(), text, CWinApp::GetAppName(), MB_OK | MB_ICONEXCLAMATION);
}
