#include "copy/CopyRun.h"

#include "copy/TreeCopy.h"

namespace {

const char kAbortedMessage[] = "コピーを中断しました";
const char kFailedMessageEnd[] = "]のコピーに失敗しました";

}  // namespace

CCopyRun::CCopyRun(const CFolderMap& folders, std::string desRoot, std::vector<std::string> exclusions,
                   ICopyRunView& view, std::chrono::milliseconds countPumpInterval)
    : m_folders(folders),
      m_desRoot(std::move(desRoot)),
      m_exclusions(std::move(exclusions)),
      m_view(view),
      m_countPumpInterval(countPumpInterval) {}

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
  CopyRunResult result = copy ? CopyPass() : CopyRunResult::kCompleted;
  if (result == CopyRunResult::kCompleted && m_abort == 1) result = CopyRunResult::kAborted;
  if (result == CopyRunResult::kAborted) m_view.ShowRunMessage(kAbortedMessage);
  if (result == CopyRunResult::kFailed) m_view.ShowRunMessage("[" + m_failedSource + kFailedMessageEnd);
  m_view.EndCopyMode();
  return result;
}

// Input is handled between entries, at most a pump interval apart; an abort ends the
// count, and the copy pass then stops at its first test.
void CCopyRun::CountPass() {
  m_lastPump = Clock::now();
  for (const CFolderMap::Entry& entry : m_folders.Walk()) {
    m_counted.push_back(CountedFolder{m_desRoot + entry.key, {}});
    if (!entry.sources) continue;
    for (const std::string& source : *entry.sources) {
      if (PumpIfDue()) return;
      if (source.empty()) continue;
      int files = CountFiles(source, &m_exclusions, &m_abort, &CCopyRun::FileCounted, this);
      m_counted.back().sources.emplace_back(source, files);
      m_total += files;
    }
  }
}

CopyRunResult CCopyRun::CopyPass() {
  for (const CFolderMap::Entry& entry : m_folders.Walk()) {
    if (PumpAndReadAbort()) return CopyRunResult::kAborted;
    if (!entry.sources) continue;
    const CSourceList& sources = *entry.sources;
    const std::size_t count = sources.size();
    for (std::size_t i = 0; i < count; ++i) {
      if (PumpAndReadAbort()) return CopyRunResult::kAborted;
      if (sources[i].empty()) continue;
      if (CopyTree(m_desRoot + entry.key, sources[i], &m_exclusions, &m_abort, &CCopyRun::FileCopied, this,
                   m_fileStep) != 1) {
        m_failedSource = sources[i];
        return CopyRunResult::kFailed;
      }
    }
  }
  return CopyRunResult::kCompleted;
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

void CCopyRun::FileCounted(void* context, unsigned long long fileSize) {
  CCopyRun* run = static_cast<CCopyRun*>(context);
  run->m_fileSizes.push_back(fileSize);
  run->PumpIfDue();
}

// The count lists the files in the order in which the copy copies them, so the n-th file
// copied is the n-th file counted.
void CCopyRun::FileCopied(void* context, const char* fileName) {
  CCopyRun* run = static_cast<CCopyRun*>(context);
  run->PumpAndReadAbort();
  if (static_cast<std::size_t>(run->m_filesCopied) < run->m_fileSizes.size()) {
    run->m_bytesCopied += run->m_fileSizes[static_cast<std::size_t>(run->m_filesCopied)];
  }
  ++run->m_filesCopied;
  run->m_view.OnFileCopied(fileName);
}
