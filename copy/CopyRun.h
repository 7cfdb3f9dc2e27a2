#pragma once
// One copy run over a whole plan: counts every file the plan covers, then copies every
// source path of every destination folder, in the folder map's walk order, into the
// destination root followed directly by the folder's key. It reports to a run view and
// reads the view's abort between files; it knows no window.
#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "copy/CopyRunView.h"
#include "copy/FileCopyStep.h"
#include "plan/FolderMap.h"

enum class CopyRunResult { kCompleted, kAborted, kFailed };

// What the counting pass found for one destination folder.
struct CountedFolder {
  std::string destination;                           // the destination root followed by the key
  std::vector<std::pair<std::string, int>> sources;  // each non-empty source path, with its files
};

class CCopyRun {
 public:
  // The longest the counting pass goes on without handling input.
  static constexpr std::chrono::milliseconds kCountPumpInterval{20};

  // The plan is only read, and must not change while the run is active.
  CCopyRun(const CFolderMap& folders, std::string desRoot, std::vector<std::string> exclusions, ICopyRunView& view,
           std::chrono::milliseconds countPumpInterval = kCountPumpInterval);

  // Has step put each file in place instead of copying every file; null copies again.
  void UseFileCopyStep(IFileCopyStep* step) { m_fileStep = step; }

  // The whole run: the running look, the count, the copy, a message when the run was
  // aborted or a source path could not be copied, the idle look.
  CopyRunResult Run();
  // The same without the copy: nothing is created or copied.
  CopyRunResult CountOnly();

  long Total() const { return m_total; }
  // The files done, whichever way the file step put them in place.
  long FilesCopied() const { return m_filesCopied; }
  // The sizes of the files copied, as the count found them.
  unsigned long long BytesCopied() const { return m_bytesCopied; }
  // The source path that could not be copied, exactly as stored; empty otherwise.
  const std::string& FailedSource() const { return m_failedSource; }
  const std::vector<CountedFolder>& CountedFolders() const { return m_counted; }

 private:
  using Clock = std::chrono::steady_clock;

  CopyRunResult Execute(bool copy);
  void CountPass();
  CopyRunResult CopyPass();
  // Lets the view handle its input and takes over its abort; true when aborted.
  bool PumpAndReadAbort();
  // The same, once the count pump interval has passed since the last time.
  bool PumpIfDue();

  static void FileCounted(void* context, unsigned long long fileSize);
  static void FileCopied(void* context, const char* fileName);

  const CFolderMap& m_folders;
  const std::string m_desRoot;
  const std::vector<std::string> m_exclusions;
  ICopyRunView& m_view;
  IFileCopyStep* m_fileStep = nullptr;  // not owned
  const std::chrono::milliseconds m_countPumpInterval;

  int m_abort = 0;  // read by CountFiles and CopyTree between entries
  Clock::time_point m_lastPump;
  long m_total = 0;
  std::vector<CountedFolder> m_counted;
  std::vector<unsigned long long> m_fileSizes;  // every file counted, in counting order
  long m_filesCopied = 0;
  unsigned long long m_bytesCopied = 0;
  std::string m_failedSource;
};
