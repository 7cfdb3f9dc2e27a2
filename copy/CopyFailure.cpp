#include "copy/CopyFailure.h"

#include "copy/EntryLookup.h"

namespace {

// The system's message for error in the user's language, without its line end.
std::string SystemErrorText(DWORD error) {
  char* buffer = nullptr;
  const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  const DWORD length =
      ::FormatMessageA(flags, nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text(buffer != nullptr ? buffer : "", length);
  ::LocalFree(buffer);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text.empty() ? "error " + std::to_string(error) : text;
}

}  // namespace

int NoteFailedEntry(FailedEntry* failed, const std::string& path) {
  return NoteFailedEntry(failed, path, ::GetLastError());
}

int NoteFailedEntry(FailedEntry* failed, const std::string& path, DWORD error) {
  if (failed != nullptr) *failed = FailedEntry{path, error};
  return 0;
}

std::string FailureReason(const CopyFailure& failure, bool destinationNamed) {
  const std::string text = SystemErrorText(failure.entry.error);
  const bool isDestination = failure.entry.path == NormalisePath(failure.destination);
  if (failure.entry.path == failure.source || (destinationNamed && isDestination)) return text;
  return failure.entry.path + ": " + text;
}
