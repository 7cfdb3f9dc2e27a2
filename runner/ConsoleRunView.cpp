#include "runner/ConsoleRunView.h"

#include <io.h>

#include <atomic>

#include "copy/WideText.h"
#include "plan/ShiftJis.h"
#include "platform/RunLog.h"

namespace {

// Set by the console control handler, which the system calls without any context.
std::atomic<bool> g_breakPressed{false};
std::atomic<bool> g_stoppedBySystem{false};
// Set once the run has ended and written its log; the handler of a console close waits
// for it, since the system ends the process when the handler returns.
HANDLE g_runEnded = nullptr;

// The most the system lets a handler of a close, log-off or shutdown take.
const DWORD kSystemStopWaitMs = 4500;

const std::chrono::milliseconds kConsoleDrawInterval{250};
const std::chrono::milliseconds kLogDrawInterval{1000};

HANDLE OutputHandle(std::FILE* out) {
  return reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(out)));
}

bool IsConsole(std::FILE* out) {
  DWORD mode = 0;
  return ::GetConsoleMode(OutputHandle(out), &mode) != FALSE;
}

// The columns of the console, less one so that a line never wraps; 0 when not a console.
std::size_t ConsoleWidth(std::FILE* out) {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!::GetConsoleScreenBufferInfo(OutputHandle(out), &info) || info.dwSize.X < 2) return 0;
  return static_cast<std::size_t>(info.dwSize.X) - 1;
}

// The longest start of text that takes at most width bytes and ends between characters.
std::string CutToWidth(const std::string& text, std::size_t width) {
  std::size_t end = 0;
  while (end < text.size() && end + sjis::CharLength(text, end) <= width) end += sjis::CharLength(text, end);
  return text.substr(0, end);
}

}  // namespace

CConsoleRunView::CConsoleRunView(std::FILE* out, bool quiet, CRunLog* log)
    : m_out(out),
      m_quiet(quiet),
      m_log(log),
      m_onConsole(IsConsole(out)),
      m_consoleWidth(ConsoleWidth(out)),
      m_drawInterval(m_onConsole ? kConsoleDrawInterval : kLogDrawInterval) {}

void CConsoleRunView::ShowCounting() {
  if (!m_quiet) Show("counting the files...", false);
}

void CConsoleRunView::SetProgressRange(long total) {
  m_total = total;
  m_drawnAt = Clock::now();
  if (!m_quiet) Show("files to copy: " + std::to_string(total), true);
}

// A large file is shown with the number it will have when copied.
void CConsoleRunView::OnFileCopyStarting(const char* fileName) {
  ShowNext(m_copied + 1, fileName);
}

void CConsoleRunView::OnFileCopied(const char* fileName) {
  ShowNext(++m_copied, fileName);
}

// The run pumps while a large file is being copied: a figure held back is drawn then.
bool CConsoleRunView::PumpMessagesAndReadAbort() {
  DrawIfDue();
  return g_breakPressed;
}

void CConsoleRunView::ShowAborted() {
  DrawProgress(true);
  Show("stopped before the next file", true);
}

void CConsoleRunView::ShowFailure(const CopyFailure& failure) {
  DrawProgress(true);
  Show("failed [" + failure.source + "]: " + AnsiForDisplay(FailureReason(failure)), true);
  if (m_log != nullptr) m_log->WriteFailure(failure);
}

void CConsoleRunView::OnRetrying(const std::wstring& path) {
  DrawProgress(true);
  if (!m_quiet) Show("in use by another program, trying again: " + AnsiForDisplay(path), true);
}

void CConsoleRunView::OnNotFollowed(const std::wstring& path) {
  DrawProgress(true);
  Show("not followed (a link or a loop): " + AnsiForDisplay(path), true);
  if (m_log != nullptr) m_log->WriteNotFollowed(path);
}

void CConsoleRunView::EndCopyMode() {
  DrawProgress(true);
}

// On a console the last figures end the progress line; in a log they are written once.
void CConsoleRunView::DrawProgress(bool final) {
  if (m_quiet || (m_drawn && !(final && m_openLineLength > 0))) return;
  Show(std::to_string(m_number) + " / " + std::to_string(m_total) + "  " + m_fileName, final);
  m_drawn = true;
  m_drawnAt = Clock::now();
}

void CConsoleRunView::ShowNext(long number, const char* fileName) {
  m_number = number;
  m_fileName = fileName;
  m_drawn = false;
  DrawIfDue();
}

void CConsoleRunView::DrawIfDue() {
  if (!m_drawn && Clock::now() - m_drawnAt >= m_drawInterval) DrawProgress(false);
}

// A console is written in wide characters, whatever its code page.
void CConsoleRunView::Show(const std::string& line, bool final) {
  if (!m_onConsole) {
    std::fprintf(m_out, "%s\n", line.c_str());
    return;
  }
  std::string shown = m_consoleWidth > 0 ? CutToWidth(line, m_consoleWidth) : line;
  std::string blanks(m_openLineLength > shown.size() ? m_openLineLength - shown.size() : 0, ' ');
  const std::wstring text = WideFromAnsi("\r" + shown + blanks + (final ? "\n" : ""));
  std::fflush(m_out);
  DWORD written = 0;
  ::WriteConsoleW(OutputHandle(m_out), text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
  m_openLineLength = final ? 0 : shown.size();
}

CConsoleBreakCatcher::CConsoleBreakCatcher() {
  g_breakPressed = false;
  g_stoppedBySystem = false;
  g_runEnded = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ::SetConsoleCtrlHandler(OnConsoleBreak, TRUE);
}

// The run has ended and its log is written: a waiting handler may let the system go on.
CConsoleBreakCatcher::~CConsoleBreakCatcher() {
  ::SetEvent(g_runEnded);
  ::SetConsoleCtrlHandler(OnConsoleBreak, FALSE);
  ::CloseHandle(g_runEnded);
  g_runEnded = nullptr;
}

// Closing the console, logging off and shutting down stop the run at the next file as
// Ctrl+C does; the handler then holds the system back until the log has its end line.
BOOL WINAPI OnConsoleBreak(DWORD event) {
  const bool bySystem = event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT;
  if ((event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && !bySystem) || (bySystem && g_runEnded == nullptr)) {
    return FALSE;
  }
  g_stoppedBySystem = g_stoppedBySystem || bySystem;
  g_breakPressed = true;
  if (bySystem && g_runEnded != nullptr) ::WaitForSingleObject(g_runEnded, kSystemStopWaitMs);
  return TRUE;
}

bool StoppedBySystem() {
  return g_stoppedBySystem;
}
