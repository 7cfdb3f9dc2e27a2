#pragma once
// The copy of one file that never leaves a cut-off file behind and never destroys the
// target's earlier content: a new target is copied directly and removed again when the
// copy fails; an existing one is replaced only by a complete copy, made in a temporary
// file beside it. A read-only, hidden or system target is cleared of those attributes
// and tried once more when the platform denies access to it.
#include <windows.h>

#include <string>

// Copies source to target (long paths), replacing an existing target. cancel is passed to
// CopyFileExW and may be null. True on success; on failure GetLastError() tells why.
bool CopyFileSafely(const std::wstring& source, const std::wstring& target, BOOL* cancel = nullptr);
