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
  unsigned long long bytesCopied = 0;
  double seconds = 0;
  std::size_t failedSources = 0;
};

class CRunLog {
 public:
  // An empty path keeps no log.
  explicit CRunLog(std::string path) : m_path(std::move(path)) {}

  void WriteStart(const std::string& planPath, const std::string& options);
  void WriteFailure(const CopyFailure& failure);
  void WriteEnd(int exitCode, const RunFigures& figures);

 private:
  void Write(const std::string& text);

  const std::string m_path;
  bool m_failed = false;
};
