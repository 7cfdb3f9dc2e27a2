#include "copy/CopyFailure.h"

namespace {

thread_local FailedEntry t_lastFailedEntry;

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

int NoteFailedEntry(const std::string& path) {
  return NoteFailedEntry(path, ::GetLastError());
}

int NoteFailedEntry(const std::string& path, DWORD error) {
  t_lastFailedEntry = FailedEntry{path, error};
  return 0;
}

FailedEntry LastFailedEntry() {
  return t_lastFailedEntry;
}

std::string FailureReason(const CopyFailure& failure) {
  const std::string text = SystemErrorText(failure.entry.error);
  return failure.entry.path == failure.source ? text : failure.entry.path + ": " + text;
}
