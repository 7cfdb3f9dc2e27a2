#pragma once
// The copy of one file that never leaves a cut-off file under the target's name and never
// destroys the target's earlier content. An existing target, and a new large one, are
// replaced only by a complete copy made in the target's temporary file beside it
// ("<name>.~sk-partial"); a new small target is copied directly and removed again when the
// copy fails. A read-only, hidden or system target is cleared of those attributes and tried
// once more when the platform denies access to it. Two runs may copy the same target at
// once: each makes its own complete copy.
#include <windows.h>

#include <string>

// Copies source to target (long paths), replacing an existing target. cancel is passed to
// CopyFileExW and may be null. True on success; on failure GetLastError() tells why.
bool CopyFileSafely(const std::wstring& source, const std::wstring& target, BOOL* cancel = nullptr);

// The same, through the temporary file whether the target exists or not, so that a process
// killed during the copy leaves nothing under the target's name. A copy that finds cancel
// set when it ends is removed and fails with ERROR_REQUEST_ABORTED.
bool CopyFileThroughTemporary(const std::wstring& source, const std::wstring& target, BOOL* cancel);
