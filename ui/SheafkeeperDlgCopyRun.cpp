// The copy run in the main dialog: Start and Abort.
#include "ui/SheafkeeperDlg.h"

#include "copy/CopyRun.h"
#include "copy/SnapshotLink.h"

// A start that the run's own message pump dispatches finds the dialog busy. The run
// offers to pump after every entry; the dialog decides how often it does.
LRESULT CSheafkeeperDlg::OnStart(WPARAM, LPARAM, bool&) {
  if (IsBusy()) return 0;
  CCopyRun run(m_mapFolder, GetDesRoot(), GetExclusionRows(), GetCopyRunView(), std::chrono::milliseconds(0));
  const std::unique_ptr<CSnapshotLink> linkStep = MakeLinkStep();
  run.UseFileCopyStep(linkStep.get());
  run.Run();
  // the log's end line gives copied, linked and skipped
  return 0;
}

// The run stops at its next test of the flag.
LRESULT CSheafkeeperDlg::OnAbort(WPARAM, LPARAM, bool&) {
  m_bAbort = 1;
  return 0;
}
