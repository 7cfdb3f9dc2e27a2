#include "copy/FileCopyWorker.h"

#include <windows.h>

#include "copy/SafeFileCopy.h"

namespace {

// What the worker reads and writes; the calling thread reads the results once it has ended.
struct CopyJob {
  const std::wstring& source;
  const std::wstring& target;
  BOOL cancel = FALSE;
  bool copied = false;
  DWORD error = ERROR_SUCCESS;
};

// The copy that CopyFileOnWorker is waiting for; only the calling thread touches these.
CopyJob* g_waitedJob = nullptr;
HANDLE g_waitedWorker = nullptr;

DWORD WINAPI CopyOnThread(void* parameter) {
  CopyJob& job = *static_cast<CopyJob*>(parameter);
  job.copied = CopyFileThroughTemporary(job.source, job.target, &job.cancel);
  job.error = job.copied ? ERROR_SUCCESS : ::GetLastError();
  return 0;
}

}  // namespace

// Without a thread the copy still happens, on the calling thread.
bool CopyFileOnWorker(const std::wstring& source, const std::wstring& target, CopyWaitFn wait, void* context) {
  CopyJob job{source, target};
  HANDLE worker = ::CreateThread(nullptr, 0, CopyOnThread, &job, 0, nullptr);
  if (worker == nullptr) return CopyFileThroughTemporary(source, target, &job.cancel);
  g_waitedJob = &job;
  g_waitedWorker = worker;
  DWORD woke;
  while ((woke = ::MsgWaitForMultipleObjects(1, &worker, FALSE, kCopyWaitSliceMs, QS_ALLINPUT)) == WAIT_TIMEOUT ||
         woke == WAIT_OBJECT_0 + 1) {
    if (!job.cancel && wait(context)) job.cancel = TRUE;
  }
  ::WaitForSingleObject(worker, INFINITE);  // in case the wait itself failed
  g_waitedJob = nullptr;
  g_waitedWorker = nullptr;
  ::CloseHandle(worker);
  ::SetLastError(job.error);
  return job.copied;
}

void StopFileCopyOnWorker() {
  if (g_waitedJob == nullptr) return;
  g_waitedJob->cancel = TRUE;
  ::WaitForSingleObject(g_waitedWorker, INFINITE);
}
