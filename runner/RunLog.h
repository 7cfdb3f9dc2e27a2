#pragma once
// The log of unattended runs: lines appended to a file, each after the local date and
// time, in the system code page with CR LF. A log that cannot be written never changes
// the run: one warning goes to stderr and nothing more is tried.
#include <string>

#include "copy/CopyFailure.h"

// What the end of a run tells about it.
struct RunFigures {
  long filesCopied = 0;
  long total = 0;
  unsigned long long bytesCopied = 0;  // the bytes written
  double seconds = 0;
  std::size_t failedSources = 0;
  bool snapshot = false;  // a run with --skip-unchanged or --link-unchanged
  long filesLinked = 0;
  long filesSkipped = 0;
};

// "files copied: n of total, B bytes", or for a snapshot run "files copied: n of total,
// linked: L, skipped: S, B bytes written".
std::string FilesCopiedText(const RunFigures& figures);

class CRunLog {
 public:
  // An empty path keeps no log.
  explicit CRunLog(std::string path) : m_path(std::move(path)) {}

  void WriteStart(const std::string& planPath, const std::string& options);
  void WriteFailure(const CopyFailure& failure);
  void WriteNotFollowed(const std::wstring& path);
  // A dated folder that --keep removed; with a reason, one that it could not remove.
  void WriteRemoval(const std::string& folder, const std::string& reason);
  void WriteEnd(int exitCode, const RunFigures& figures);

 private:
  void Write(const std::string& text);

  const std::string m_path;
  bool m_failed = false;
};
