#include "copy/SafeFileCopy.h"

#include <cstdio>

namespace {

const unsigned kMaxTemporaryAttempts = 256;
const DWORD kBlockingAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

bool CopyOnce(const std::wstring& source, const std::wstring& target, BOOL* cancel, DWORD flags) {
  return CopyFileExW(source.c_str(), target.c_str(), nullptr, nullptr, cancel, flags) != FALSE;
}

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

// Runs step; when it is denied access and target carries a read-only, hidden or system
// attribute, clears those and runs it once more. A second failure puts them back.
template <typename Step>
bool RunClearingAttributes(const std::wstring& target, Step step) {
  if (step()) return true;
  if (GetLastError() != ERROR_ACCESS_DENIED) return false;
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) ||
      !(attributes & kBlockingAttributes) ||
      !SetFileAttributesW(target.c_str(), attributes & ~kBlockingAttributes)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  if (step()) return true;
  const DWORD error = GetLastError();
  SetFileAttributesW(target.c_str(), attributes);
  SetLastError(error);
  return false;
}

// A name of eleven characters beside the target: "~sk", the attempt in four hex digits, ".tmp".
std::wstring TemporaryPathFor(const std::wstring& target, unsigned attempt) {
  wchar_t name[16];
  std::swprintf(name, 16, L"~sk%04x.tmp", attempt);
  return target.substr(0, target.rfind(L'\\') + 1) + name;
}

bool IsExistsError(DWORD error) {
  return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
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

// The existing target is replaced only by a complete copy, made in a new temporary file
// beside it; on failure the target stays as it was and the temporary file is removed.
bool ReplaceExisting(const std::wstring& source, const std::wstring& target, BOOL* cancel) {
  for (unsigned attempt = 0; attempt < kMaxTemporaryAttempts; ++attempt) {
    const std::wstring temporary = TemporaryPathFor(target, attempt);
    if (!CopyToNewFile(source, temporary, cancel)) {
      if (IsExistsError(GetLastError())) continue;
      return false;
    }
    if (RunClearingAttributes(target, [&] {
          return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
        })) {
      return true;
    }
    RemoveMadeFile(temporary);
    return false;
  }
  SetLastError(ERROR_FILE_EXISTS);
  return false;
}

}  // namespace

// The first attempt fails when the target exists, so a first run pays nothing for the check.
bool CopyFileSafely(const std::wstring& source, const std::wstring& target, BOOL* cancel) {
  if (CopyToNewFile(source, target, cancel)) return true;
  return IsExistsError(GetLastError()) && ReplaceExisting(source, target, cancel);
}
