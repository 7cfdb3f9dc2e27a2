#include "copy/SafeFileCopy.h"

#include "plan/PlanWriter.h"

namespace {

const unsigned kMaxTemporaryAttempts = 256;
const DWORD kBlockingAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

bool CopyOnce(const std::string& source, const std::string& target, BOOL* cancel, DWORD flags) {
  return CopyFileExA(source.c_str(), target.c_str(), nullptr, nullptr, cancel, flags) != FALSE;
}

// Removes a file that this copy made, whatever attributes it got, keeping the last error.
void RemoveMadeFile(const std::string& path) {
  const DWORD error = GetLastError();
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
  SetLastError(error);
}

bool CanOpenForReading(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// Runs step; when it is denied access and target carries a read-only, hidden or system
// attribute, clears those and runs it once more. A second failure puts them back.
template <typename Step>
bool RunClearingAttributes(const std::string& target, Step step) {
  if (step()) return true;
  if (GetLastError() != ERROR_ACCESS_DENIED) return false;
  const DWORD attributes = GetFileAttributesA(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) ||
      !(attributes & kBlockingAttributes) ||
      !SetFileAttributesA(target.c_str(), attributes & ~kBlockingAttributes)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  if (step()) return true;
  const DWORD error = GetLastError();
  SetFileAttributesA(target.c_str(), attributes);
  SetLastError(error);
  return false;
}

// A new empty file beside target, made exclusively so that no other file is overwritten;
// empty when none could be made.
std::string MakeTemporaryFileBeside(const std::string& target) {
  for (unsigned attempt = 0; attempt < kMaxTemporaryAttempts; ++attempt) {
    const std::string candidate = TemporaryPathFor(target, attempt);
    if (candidate.empty()) break;
    HANDLE file = CreateFileA(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      return candidate;
    }
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return std::string();
}

// The existing target is replaced only by a complete copy; on failure it stays as it was.
bool ReplaceExisting(const std::string& source, const std::string& target, BOOL* cancel) {
  const std::string temporary = MakeTemporaryFileBeside(target);
  if (temporary.empty()) return false;
  const bool replaced = CopyOnce(source, temporary, cancel, 0) && RunClearingAttributes(target, [&] {
    return MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
  });
  if (!replaced) RemoveMadeFile(temporary);
  return replaced;
}

}  // namespace

// The first attempt fails when the target exists, so a first run pays nothing for the
// check. A copy that fails after the source was opened made the target: it is removed,
// since a cut-off file would look complete. A source that cannot be opened failed the
// copy before the target was touched.
bool CopyFileSafely(const std::string& source, const std::string& target, BOOL* cancel) {
  if (CopyOnce(source, target, cancel, COPY_FILE_FAIL_IF_EXISTS)) return true;
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return ReplaceExisting(source, target, cancel);
  if (CanOpenForReading(source)) RemoveMadeFile(target);
  SetLastError(error);
  return false;
}
