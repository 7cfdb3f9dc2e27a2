// The copy run in the main dialog: Start and Abort.
#include "ui/SheafkeeperDlg.h"

#include "copy/CopyRun.h"
#include "copy/SnapshotLink.h"
#include "copy/WideText.h"
#include "platform/RunLog.h"

namespace {

const char* OutcomeOf(CopyRunResult result) {
  switch (result) {
    case CopyRunResult::kCompleted:
      return "completed";
    case CopyRunResult::kAborted:
      return "aborted";
    case CopyRunResult::kFailed:
      break;
  }
  return "failed";
}

}  // namespace

// A start that the run's own message pump dispatches finds the dialog busy. The run
// offers to pump after every entry; the dialog decides how often it does. Every run
// leaves its start, its failures and its end in the window's log.
LRESULT CSheafkeeperDlg::OnStart(WPARAM, LPARAM, bool&) {
  if (IsBusy()) return 0;
  CRunLog log(WideFromAnsi(m_strWorkDir + kWindowLogName), kWindowLogLimit);
  log.WriteStart(WideFromAnsi("the window's plan to " + GetDesRoot()));
  m_copyRunStrip.UseLog(&log);
  CCopyRun run(m_mapFolder, GetDesRoot(), GetExclusionRows(), GetCopyRunView(), std::chrono::milliseconds(0));
  const std::unique_ptr<CSnapshotLink> linkStep = MakeLinkStep();
  run.UseFileCopyStep(linkStep.get());
  const auto start = std::chrono::steady_clock::now();
  const CopyRunResult result = run.Run();
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  m_copyRunStrip.UseLog(nullptr);
  log.WriteEnd(OutcomeOf(result), FiguresOf(run, linkStep.get(), seconds.count()));
  return 0;
}

// The run stops at its next test of the flag.
LRESULT CSheafkeeperDlg::OnAbort(WPARAM, LPARAM, bool&) {
  m_bAbort = 1;
  return 0;
}
