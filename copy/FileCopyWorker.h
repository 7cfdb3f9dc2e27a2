#pragma once
// The copy of one large file on a thread of its own, while the calling thread keeps
// handling its input.
#include <string>

// Called on the calling thread while the copy goes on; true asks the copy to stop.
typedef bool (*CopyWaitFn)(void* context);

// The longest the calling thread waits between two calls of the wait routine.
constexpr unsigned kCopyWaitSliceMs = 10;

// Copies source to target with CopyFileThroughTemporary on a worker thread, which touches
// nothing but the two paths and the cancel flag, so that a killed process leaves no cut-off
// file under the target's name. Meanwhile calls wait(context) whenever input arrives for
// the calling thread and at least every kCopyWaitSliceMs; once it returns true the cancel
// flag is set. Returns the copy's result with its error as the last error.
bool CopyFileOnWorker(const std::wstring& source, const std::wstring& target, CopyWaitFn wait, void* context);

// Cancels the copy that CopyFileOnWorker is waiting for, if there is one, and returns once
// its thread has ended and its temporary file is removed. For a handler that the wait
// dispatches and after which the process may end at once (the end of a Windows session).
void StopFileCopyOnWorker();
