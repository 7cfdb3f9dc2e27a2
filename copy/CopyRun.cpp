#include "copy/CopyRun.h"

#include <windows.h>

#include <algorithm>

#include "copy/FileCopyWorker.h"
#include "copy/FolderKeyCheck.h"
#include "copy/LongPath.h"
#include "copy/SafeFileCopy.h"
#include "copy/TreeCopy.h"
#include "copy/WideText.h"

namespace {

bool IsLockError(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

}  // namespace

CCopyRun::CCopyRun(const CFolderMap& folders, std::string desRoot, std::vector<std::string> exclusions,
                   ICopyRunView& view, std::chrono::milliseconds countPumpInterval)
    : m_folders(folders),
      m_desRoot(std::move(desRoot)),
      m_root(m_desRoot),
      m_exclusions(std::move(exclusions)),
      m_view(view),
      m_countPumpInterval(countPumpInterval),
      m_exclusionCounts(m_exclusions.size(), 0) {
  m_job.Exclude(m_exclusions);
  m_job.abortFlag = &m_abort;
  m_job.root = &m_root;
  m_job.copier = this;
  m_job.observer = this;
}

CopyRunResult CCopyRun::Run() {
  return Execute(true);
}

CopyRunResult CCopyRun::CountOnly() {
  return Execute(false);
}

// An abort that comes in while the last source path is being copied leaves nothing
// for the copy pass to test; it is still an abort, so the flag is read once more.
CopyRunResult CCopyRun::Execute(bool copy) {
  m_view.BeginCopyMode();
  m_view.ShowCounting();
  CountPass();
  m_view.SetProgressRange(m_total);
  CopyRunResult result = copy ? CopyPass() : m_failures.empty() ? CopyRunResult::kCompleted : CopyRunResult::kFailed;
  if (result == CopyRunResult::kCompleted && m_abort == 1) result = CopyRunResult::kAborted;
  if (result == CopyRunResult::kAborted) m_view.ShowAborted();
  m_view.EndCopyMode();
  return result;
}

// Input is handled between entries, at most a pump interval apart; an abort ends the
// count, and the copy pass then stops at its first test. What the count could not list or
// look up is noted as a failure of its source path.
void CCopyRun::CountPass() {
  m_lastPump = Clock::now();
  for (const CFolderMap::Entry& entry : m_folders.Walk()) {
    m_counted.push_back(CountedFolder{m_desRoot + entry.key, {}});
    if (!entry.sources) continue;
    for (const std::string& source : *entry.sources) {
      if (PumpIfDue()) return;
      if (source.empty()) continue;
      const std::size_t failuresBefore = m_failures.size();
      const int files = CountFiles(source, m_job);
      for (std::size_t i = failuresBefore; i < m_failures.size(); ++i) {
        m_failures[i].source = source;
        m_failures[i].destination = m_counted.back().destination;
      }
      m_counted.back().sources.emplace_back(source, files);
      m_total += files;
    }
  }
}

// A file whose copy or wait was stopped at an abort ends the run as aborted. Without
// keep-going the first failed entry ends the run; with it, each is reported as it fails.
CopyRunResult CCopyRun::CopyPass() {
  m_failures.clear();
  m_copying = true;
  m_job.keepGoing = m_keepGoing;
  for (const CFolderMap::Entry& entry : m_folders.Walk()) {
    if (PumpAndReadAbort()) return CopyRunResult::kAborted;
    if (!entry.sources) continue;
    const CSourceList& sources = *entry.sources;
    const std::size_t count = sources.size();
    // A folder whose key would lead out of the root fails each source path, as a source
    // path that cannot be copied does.
    const bool safeKey = IsSafeFolderKey(entry.key);
    for (std::size_t i = 0; i < count; ++i) {
      if (PumpAndReadAbort()) return CopyRunResult::kAborted;
      if (sources[i].empty()) continue;
      m_current = CopyFailure{sources[i], m_desRoot + entry.key, {}};
      m_failed = FailedEntry{ShownPathOf(LongPathOf(m_current.destination)), ERROR_INVALID_NAME};
      const std::size_t failuresBefore = m_failures.size();
      if (safeKey && CopyTree(m_current.destination, sources[i], m_job) == 1) continue;
      if (m_fileCancelled) return CopyRunResult::kAborted;
      if (m_failures.size() == failuresBefore) ReportFailure(m_failed);
      if (!m_keepGoing) return CopyRunResult::kFailed;
    }
  }
  return m_failures.empty() ? CopyRunResult::kCompleted : CopyRunResult::kFailed;
}

void CCopyRun::ReportFailure(const FailedEntry& entry) {
  m_failures.push_back(CopyFailure{m_current.source, m_current.destination, entry});
  m_view.ShowFailure(m_failures.back());
}

bool CCopyRun::PumpAndReadAbort() {
  m_abort = m_view.PumpMessagesAndReadAbort() ? 1 : 0;
  m_lastPump = Clock::now();
  return m_abort == 1;
}

bool CCopyRun::PumpIfDue() {
  if (Clock::now() - m_lastPump < m_countPumpInterval) return m_abort == 1;
  return PumpAndReadAbort();
}

void CCopyRun::OnFileCounted(const ListedFile& /*file*/) {
  PumpIfDue();
}

void CCopyRun::OnFailed(const FailedEntry& entry) {
  if (m_copying && m_keepGoing) {
    ReportFailure(entry);
  } else if (m_copying) {
    m_failed = entry;
  } else {
    m_failures.push_back(CopyFailure{std::string(), std::string(), entry});
  }
}

void CCopyRun::OnNotFollowed(const std::wstring& path) {
  if (m_copying) {
    m_view.OnNotFollowed(path);
  } else {
    m_notFollowed.push_back(path);
  }
}

// A file that another program holds locked is tried again after a wait, during which the
// view handles its input; an abort then stops the run.
bool CCopyRun::CopyFile(const std::wstring& source, const std::wstring& target, const ListedFile& file) {
  for (int attempt = 0;; ++attempt) {
    if (CopyOnce(source, target, file)) return true;
    const DWORD error = ::GetLastError();
    if (m_fileCancelled || !IsLockError(error) || attempt >= m_retries) return false;
    m_view.OnRetrying(ShownPathOf(source));
    m_fileCancelled = WaitAndReadAbort(m_retryWait);
    ::SetLastError(error);
    if (m_fileCancelled) return false;
  }
}

// A large file is named to the view before its copy starts, and the view handles its input
// while the file is being copied.
bool CCopyRun::CopyOnce(const std::wstring& source, const std::wstring& target, const ListedFile& file) {
  if (file.size < kWorkerFileSize) return CopyFileSafely(source, target);
  m_view.OnFileCopyStarting(AnsiForDisplay(file.name).c_str());
  if (CopyFileOnWorker(source, target, &CCopyRun::WaitForLargeFile, this)) return true;
  m_fileCancelled = m_abort == 1 && ::GetLastError() == ERROR_REQUEST_ABORTED;
  return false;
}

bool CCopyRun::WaitAndReadAbort(std::chrono::milliseconds wait) {
  const Clock::time_point end = Clock::now() + wait;
  for (Clock::time_point now = Clock::now(); now < end; now = Clock::now()) {
    const auto slice = std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<long long>(slice, 50)), QS_ALLINPUT);
    if (PumpAndReadAbort()) return true;
  }
  return false;
}

bool CCopyRun::WaitForLargeFile(void* context) {
  return static_cast<CCopyRun*>(context)->PumpAndReadAbort();
}

void CCopyRun::OnFileCopied(const ListedFile& file) {
  PumpAndReadAbort();
  m_bytesCopied += file.size;
  ++m_filesCopied;
  m_view.OnFileCopied(AnsiForDisplay(file.name).c_str());
}
