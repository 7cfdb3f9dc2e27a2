#include "copy/SafeFileCopy.h"

#include <cstdio>

namespace {

const DWORD kBlockingAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
const wchar_t kTemporarySuffix[] = L".~sk-partial";
const std::size_t kTemporarySuffixLength = sizeof(kTemporarySuffix) / sizeof(wchar_t) - 1;
const std::size_t kMaxNameLength = 255;  // UTF-16 units in one path component
// Between two looks at a temporary file that another run is writing, and before a second
// try at a rename that met another run.
const DWORD kPauseMs = 20;
// How often a copy without a cancel flag looks before it gives up on another run's
// temporary file: ten seconds, far more than the copy of a small file takes.
const unsigned kMaxLooksWithoutCancel = 500;

bool CopyOnce(const std::wstring& source, const std::wstring& target, BOOL* cancel, DWORD flags) {
  return CopyFileExW(source.c_str(), target.c_str(), nullptr, nullptr, cancel, flags) != FALSE;
}

bool Cancelled(const BOOL* cancel) { return cancel != nullptr && *cancel; }

// Removes a file that this copy made, whatever attributes it got, keeping the last error.
void RemoveMadeFile(const std::wstring& path) {
  const DWORD error = GetLastError();
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(path.c_str());
  SetLastError(error);
}

bool CanOpenForReading(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// Runs step; when it is denied access and path carries a read-only, hidden or system
// attribute, clears those and runs it once more. A second failure puts them back.
template <typename Step>
bool RunClearingAttributes(const std::wstring& path, Step step) {
  if (step()) return true;
  if (GetLastError() != ERROR_ACCESS_DENIED) return false;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) ||
      !(attributes & kBlockingAttributes) ||
      !SetFileAttributesW(path.c_str(), attributes & ~kBlockingAttributes)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  if (step()) return true;
  const DWORD error = GetLastError();
  SetFileAttributesW(path.c_str(), attributes);
  SetLastError(error);
  return false;
}

// The target's name followed by ".~sk-partial"; where that would be longer than a name may
// be, "~sk-" and sixteen hex digits of a hash of the name (FNV-1a) instead.
std::wstring TemporaryPathFor(const std::wstring& target) {
  const std::size_t nameStart = target.rfind(L'\\') + 1;
  if (target.size() - nameStart + kTemporarySuffixLength <= kMaxNameLength) return target + kTemporarySuffix;
  unsigned long long hash = 14695981039346656037ull;
  for (std::size_t i = nameStart; i < target.size(); ++i) hash = (hash ^ target[i]) * 1099511628211ull;
  wchar_t name[24];
  std::swprintf(name, 24, L"~sk-%016llx", hash);
  return target.substr(0, nameStart) + name + kTemporarySuffix;
}

bool IsExistsError(DWORD error) {
  return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

// What a file that another process holds open, or has just renamed, answers.
bool IsHeldByAnotherRun(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_FILE_NOT_FOUND;
}

// Copies source to target, which must not exist yet. A copy that fails after the source
// was opened made the target, so it is removed: a cut-off file would look complete. A
// source that cannot be opened failed the copy before the target was touched.
bool CopyToNewFile(const std::wstring& source, const std::wstring& target, BOOL* cancel) {
  if (CopyOnce(source, target, cancel, COPY_FILE_FAIL_IF_EXISTS)) return true;
  const DWORD error = GetLastError();
  if (!IsExistsError(error) && CanOpenForReading(source)) RemoveMadeFile(target);
  SetLastError(error);
  return false;
}

// Makes way for a new temporary file: removes one that a killed run left behind. One that
// another run is still writing cannot be removed; that run is given a moment. False when
// the copy was cancelled, the file cannot be removed, or a copy that cannot be cancelled
// has waited long enough.
bool ClearTemporary(const std::wstring& temporary, BOOL* cancel, unsigned& looks) {
  if (RunClearingAttributes(temporary, [&] { return DeleteFileW(temporary.c_str()) != FALSE; })) return true;
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND) return true;  // the other run has renamed it
  if (error != ERROR_SHARING_VIOLATION) return false;
  if (Cancelled(cancel) || (cancel == nullptr && ++looks > kMaxLooksWithoutCancel)) {
    SetLastError(Cancelled(cancel) ? ERROR_REQUEST_ABORTED : error);
    return false;
  }
  Sleep(kPauseMs);
  return true;
}

// Copies source into a new temporary file; the exclusive creation keeps two runs from
// writing one file.
bool CopyToTemporary(const std::wstring& source, const std::wstring& temporary, BOOL* cancel) {
  unsigned looks = 0;
  while (!CopyToNewFile(source, temporary, cancel)) {
    if (!IsExistsError(GetLastError()) || !ClearTemporary(temporary, cancel, looks)) return false;
  }
  if (!Cancelled(cancel)) return true;
  SetLastError(ERROR_REQUEST_ABORTED);
  RemoveMadeFile(temporary);
  return false;
}

bool MoveOnto(const std::wstring& temporary, const std::wstring& target) {
  return RunClearingAttributes(target, [&] {
    return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
  });
}

}  // namespace

// The first attempt fails when the target exists, so a first run pays nothing for the check.
bool CopyFileSafely(const std::wstring& source, const std::wstring& target, BOOL* cancel) {
  if (CopyToNewFile(source, target, cancel)) return true;
  return IsExistsError(GetLastError()) && CopyFileThroughTemporary(source, target, cancel);
}

// On failure the target stays as it was and the temporary file is removed. A rename can
// meet another run of the same plan, which holds the target open or took this temporary
// file for a leftover; the copy and rename are then tried once more.
bool CopyFileThroughTemporary(const std::wstring& source, const std::wstring& target, BOOL* cancel) {
  const std::wstring temporary = TemporaryPathFor(target);
  for (int round = 0;; ++round) {
    if (!CopyToTemporary(source, temporary, cancel)) return false;
    if (MoveOnto(temporary, target)) return true;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) RemoveMadeFile(temporary);  // not found: no longer this copy's
    if (round == 1 || !IsHeldByAnotherRun(error)) return false;
    Sleep(kPauseMs);
  }
}
