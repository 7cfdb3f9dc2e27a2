#include "runner/RunLog.h"

#include <windows.h>

#include <cstdio>

#include "copy/WideText.h"
#include "runner/PlanCommand.h"

namespace {

std::string LocalDateTime() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond);
  return text;
}

const char* ResultWord(int exitCode) {
  switch (exitCode) {
    case kExitSuccess:
      return "completed";
    case kExitFailed:
      return "failed";
    case kExitAborted:
      return "aborted";
  }
  return "plan unread";
}

}  // namespace

void CRunLog::WriteStart(const std::string& planPath, const std::string& options) {
  Write("start " + planPath + (options.empty() ? "" : " with " + options));
}

void CRunLog::WriteFailure(const CopyFailure& failure) {
  Write("failed [" + failure.source + "] -> " + failure.destination + ": " +
        AnsiForDisplay(FailureReason(failure, true)));
}

void CRunLog::WriteNotFollowed(const std::wstring& path) {
  Write("not followed (a link or a loop): " + AnsiForDisplay(path));
}

void CRunLog::WriteRemoval(const std::string& folder, const std::string& reason) {
  Write(reason.empty() ? "removed " + folder : "cannot remove " + folder + ": " + reason);
}

void CRunLog::WriteEnd(int exitCode, const RunFigures& figures) {
  char text[80];
  std::snprintf(text, sizeof text, "end %s (exit %d): ", ResultWord(exitCode), exitCode);
  char rest[80];
  std::snprintf(rest, sizeof rest, ", %.1f s, source paths failed: %lu", figures.seconds,
                static_cast<unsigned long>(figures.failedSources));
  Write(text + FilesCopiedText(figures) + rest);
}

std::string FilesCopiedText(const RunFigures& figures) {
  std::string text = "files copied: " + std::to_string(figures.filesCopied) + " of " + std::to_string(figures.total);
  if (figures.snapshot) {
    text += ", linked: " + std::to_string(figures.filesLinked) + ", skipped: " + std::to_string(figures.filesSkipped);
  }
  return text + ", " + std::to_string(figures.bytesCopied) + (figures.snapshot ? " bytes written" : " bytes");
}

// Opened for each line, so that every line written is on disk if the run is killed.
void CRunLog::Write(const std::string& text) {
  if (m_path.empty() || m_failed) return;
  const std::string line = LocalDateTime() + " " + text + "\r\n";
  std::FILE* file = std::fopen(m_path.c_str(), "ab");
  bool written = file != nullptr && std::fwrite(line.data(), 1, line.size(), file) == line.size();
  if (file != nullptr && std::fclose(file) != 0) written = false;
  if (written) return;
  m_failed = true;
  std::fprintf(stderr, "%s: cannot write the log %s; the run goes on without it\n", kProgramName, m_path.c_str());
}
