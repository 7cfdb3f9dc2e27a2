#pragma once
// The log of copy runs, which both front ends keep: a dated line when a run starts, one
// for each failed entry with its reason and each folder not followed, and one when it
// ends, with what it did. UTF-8, so that every name is written as it is. A log whose last
// run has no end line (the process was killed) is told so when the next run starts.
#include <string>

#include "copy/CopyFailure.h"
#include "platform/LogFile.h"

// The window's log in its working folder, moved aside before it passes its limit.
constexpr char kWindowLogName[] = "Sheafkeeper.log";
constexpr std::uint64_t kWindowLogLimit = 1 << 20;

class CCopyRun;
class CSnapshotLink;

// What the end of a run tells about it.
struct RunFigures {
  long filesCopied = 0;
  long total = 0;
  unsigned long long bytesCopied = 0;  // the bytes written
  double seconds = 0;
  std::size_t failedEntries = 0;
  bool snapshot = false;  // a run that linked or left unchanged files
  long filesLinked = 0;
  long filesSkipped = 0;
};

// What run did in seconds; with a snapshot step, only the files and bytes it wrote count
// as copied. snapshot may be null.
RunFigures FiguresOf(const CCopyRun& run, const CSnapshotLink* snapshot, double seconds);

// "files copied: n of total, B bytes", or for a snapshot run "files copied: n of total,
// linked: L, skipped: S, B bytes written".
std::string FilesCopiedText(const RunFigures& figures);

class CRunLog {
 public:
  // An empty path keeps no log; limit as CLogFile's.
  explicit CRunLog(const std::wstring& path, std::uint64_t limit = 0) : m_file(path, limit), m_kept(!path.empty()) {}

  // "start " and what; before it, a note when the log's last run did not end.
  void WriteStart(const std::wstring& what);
  void WriteFailure(const CopyFailure& failure);
  void WriteNotFollowed(const std::wstring& path);
  // A dated folder that --keep removed; with a reason, one that it could not remove.
  void WriteRemoval(const std::string& folder, const std::string& reason);
  // "end " and outcome ("completed", "failed (exit 1)", ...) with the figures.
  void WriteEnd(const std::string& outcome, const RunFigures& figures);
  // True once a line could not be written; nothing more is tried then.
  bool HasFailed() const { return m_failed; }

 private:
  void Write(const std::wstring& text);

  const CLogFile m_file;
  const bool m_kept;
  bool m_failed = false;
};
