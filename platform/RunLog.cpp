#include "platform/RunLog.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "copy/CopyRun.h"
#include "copy/SnapshotLink.h"
#include "copy/WideText.h"

namespace {

// How much of the log's end is read to find its last run.
const DWORD kTailBytes = 64 * 1024;
// Where the text of a line begins, after "YYYY-MM-DD HH:MM:SS ".
const std::size_t kTextStart = 20;

std::string Tail(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  LARGE_INTEGER size{};
  ::GetFileSizeEx(file, &size);
  LARGE_INTEGER from{};
  from.QuadPart = std::max<LONGLONG>(0, size.QuadPart - kTailBytes);
  ::SetFilePointerEx(file, from, nullptr, FILE_BEGIN);
  std::string tail(kTailBytes, '\0');
  DWORD read = 0;
  ::ReadFile(file, &tail[0], kTailBytes, &read, nullptr);
  ::CloseHandle(file);
  tail.resize(read);
  return tail;
}

// The date and time of the log's last start line when no end line follows it; empty else.
std::string UnfinishedStart(const std::string& log) {
  std::string started;
  const std::size_t bodyStart = log.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  for (std::size_t at = bodyStart, end; (end = log.find("\r\n", at)) != std::string::npos; at = end + 2) {
    const std::string line = log.substr(at, end - at);
    if (line.size() <= kTextStart) continue;
    if (line.compare(kTextStart, 6, "start ") == 0) started = line.substr(0, kTextStart - 1);
    if (line.compare(kTextStart, 4, "end ") == 0) started.clear();
  }
  return started;
}

}  // namespace

RunFigures FiguresOf(const CCopyRun& run, const CSnapshotLink* snapshot, double seconds) {
  RunFigures figures{run.FilesCopied(), run.Total(), run.BytesCopied(), seconds, run.Failures().size()};
  if (snapshot == nullptr) return figures;
  figures.snapshot = true;
  figures.filesLinked = snapshot->FilesLinked();
  figures.filesSkipped = snapshot->FilesSkipped();
  figures.filesCopied -= figures.filesLinked + figures.filesSkipped;
  figures.bytesCopied -= std::min(figures.bytesCopied, snapshot->BytesNotWritten());
  return figures;
}

std::string FilesCopiedText(const RunFigures& figures) {
  std::string text = "files copied: " + std::to_string(figures.filesCopied) + " of " + std::to_string(figures.total);
  if (figures.snapshot) {
    text += ", linked: " + std::to_string(figures.filesLinked) + ", skipped: " + std::to_string(figures.filesSkipped);
  }
  return text + ", " + std::to_string(figures.bytesCopied) + (figures.snapshot ? " bytes written" : " bytes");
}

void CRunLog::WriteStart(const std::wstring& what) {
  if (!m_kept) return;
  const std::string unfinished = UnfinishedStart(Tail(m_file.Path()));
  if (!unfinished.empty()) Write(L"previous run started at " + WideFromAnsi(unfinished) + L" did not finish");
  Write(L"start " + what);
}

void CRunLog::WriteFailure(const CopyFailure& failure) {
  Write(L"failed [" + WideFromAnsi(failure.source) + L"] -> " + WideFromAnsi(failure.destination) + L": " +
        FailureReason(failure, true));
}

void CRunLog::WriteNotFollowed(const std::wstring& path) {
  Write(L"not followed (a link or a loop): " + path);
}

void CRunLog::WriteRemoval(const std::string& folder, const std::string& reason) {
  Write(WideFromAnsi(reason.empty() ? "removed " + folder : "cannot remove " + folder + ": " + reason));
}

void CRunLog::WriteEnd(const std::string& outcome, const RunFigures& figures) {
  char rest[80];
  std::snprintf(rest, sizeof rest, ", %.1f s, failed entries: %lu", figures.seconds,
                static_cast<unsigned long>(figures.failedEntries));
  Write(WideFromAnsi("end " + outcome + ": " + FilesCopiedText(figures) + rest));
}

void CRunLog::Write(const std::wstring& text) {
  if (!m_kept || m_failed) return;
  m_failed = !m_file.AppendLine(text);
}
