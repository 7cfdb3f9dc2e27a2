#pragma once
// One copy run over a whole plan: counts every file the plan covers, then copies every
// source path of every destination folder, in the folder map's walk order, into the
// destination root followed directly by the folder's key. It reports to a run view and
// reads the view's abort between files, and during the copy of a large file, which runs
// on a worker thread; it knows no window.
#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "copy/CopyRunView.h"
#include "copy/DestinationRoot.h"
#include "copy/FileCopyStep.h"
#include "copy/TreeCopy.h"
#include "plan/FolderMap.h"

enum class CopyRunResult { kCompleted, kAborted, kFailed };

// What the counting pass found for one destination folder.
struct CountedFolder {
  std::string destination;                           // the destination root followed by the key
  std::vector<std::pair<std::string, int>> sources;  // each non-empty source path, with its files
};

class CCopyRun : private ITreeCopyObserver, private IFileCopier {
 public:
  // The longest the counting pass goes on without handling input.
  static constexpr std::chrono::milliseconds kCountPumpInterval{20};
  // Files of at least this size are copied on a worker thread while the view keeps
  // handling input; smaller ones are copied faster than a thread starts.
  static constexpr unsigned long long kWorkerFileSize = 4ull << 20;

  // The plan is only read, and must not change while the run is active.
  CCopyRun(const CFolderMap& folders, std::string desRoot, std::vector<std::string> exclusions, ICopyRunView& view,
           std::chrono::milliseconds countPumpInterval = kCountPumpInterval);

  // The whole run: the running look, the count, the copy, a message when the run was
  // aborted or a source path could not be copied, the idle look.
  CopyRunResult Run();
  // The same without the copy: nothing is created or copied.
  CopyRunResult CountOnly();
  // From now on an entry that fails no longer ends the copy: every other entry and source
  // path is copied, each failed entry is reported, and the run fails at its end.
  void KeepGoingPastFailures() { m_keepGoing = true; }
  // A copy that meets a sharing or lock violation is tried retries more times, wait apart.
  void RetryLockedFiles(int retries, std::chrono::milliseconds wait) {
    m_retries = retries;
    m_retryWait = wait;
  }
  // Lets step place each file without a copy where it can; null copies every file.
  void UseFileCopyStep(IFileCopyStep* step) { m_job.step = step; }

  long Total() const { return m_total; }
  long FilesCopied() const { return m_filesCopied; }
  // The sizes of the files copied, as their folders' listings gave them.
  unsigned long long BytesCopied() const { return m_bytesCopied; }
  // The entries that could not be copied, in walk order (one per source path without
  // keep-going); after CountOnly, those that could not be counted, which the copy would
  // fail on.
  const std::vector<CopyFailure>& Failures() const { return m_failures; }
  // The folders the count did not enter: links to elsewhere, and loops.
  const std::vector<std::wstring>& NotFollowed() const { return m_notFollowed; }
  const std::vector<CountedFolder>& CountedFolders() const { return m_counted; }
  // For each exclusion, the files and folders it left out of the count.
  const std::vector<long>& ExclusionCounts() const { return m_exclusionCounts; }

 private:
  using Clock = std::chrono::steady_clock;

  CopyRunResult Execute(bool copy);
  void CountPass();
  CopyRunResult CopyPass();
  void ReportFailure(const FailedEntry& entry);
  bool CopyOnce(const std::wstring& source, const std::wstring& target, const ListedFile& file);
  // Waits while letting the view handle its input; true when aborted meanwhile.
  bool WaitAndReadAbort(std::chrono::milliseconds wait);
  // Lets the view handle its input and takes over its abort; true when aborted.
  bool PumpAndReadAbort();
  // The same, once the count pump interval has passed since the last time.
  bool PumpIfDue();

  void OnFileCounted(const ListedFile& file) override;
  void OnExcluded(std::size_t exclusion) override { ++m_exclusionCounts[exclusion]; }
  void OnFileCopied(const ListedFile& file) override;
  void OnFailed(const FailedEntry& entry) override;
  void OnNotFollowed(const std::wstring& path) override;
  bool CopyFile(const std::wstring& source, const std::wstring& target, const ListedFile& file) override;
  static bool WaitForLargeFile(void* context);

  const CFolderMap& m_folders;
  const std::string m_desRoot;
  const CDestinationRoot m_root;  // left out wherever a source holds it
  const std::vector<std::string> m_exclusions;
  ICopyRunView& m_view;
  const std::chrono::milliseconds m_countPumpInterval;
  bool m_keepGoing = false;
  int m_retries = 2;
  std::chrono::milliseconds m_retryWait{1000};

  CTreeCopyJob m_job;
  bool m_copying = false;  // the copy pass, not the count
  int m_abort = 0;  // read by CountFiles and CopyTree between entries
  bool m_fileCancelled = false;  // a file's copy or its retry wait was stopped by an abort
  CopyFailure m_current;  // the source path being copied and its destination
  Clock::time_point m_lastPump;
  long m_total = 0;
  std::vector<CountedFolder> m_counted;
  std::vector<long> m_exclusionCounts;  // one counter per exclusion
  long m_filesCopied = 0;
  unsigned long long m_bytesCopied = 0;
  FailedEntry m_failed;  // the last entry that failed
  std::vector<CopyFailure> m_failures;
  std::vector<std::wstring> m_notFollowed;
};
