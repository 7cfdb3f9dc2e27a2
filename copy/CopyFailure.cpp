#include "copy/CopyFailure.h"

#include "copy/LongPath.h"
#include "copy/WideText.h"

namespace {

// The system's message for error in the user's language, without its line end.
std::wstring SystemErrorText(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  const DWORD length =
      ::FormatMessageW(flags, nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer != nullptr ? buffer : L"", length);
  ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  return text.empty() ? L"error " + std::to_wstring(error) : text;
}

}  // namespace

std::wstring FailureReason(const CopyFailure& failure, bool destinationNamed) {
  const std::wstring text = SystemErrorText(failure.entry.error);
  const bool isSource = failure.entry.path == WideFromAnsi(failure.source);
  const bool isDestination = failure.entry.path == ShownPathOf(LongPathOf(failure.destination));
  if (isSource || (destinationNamed && isDestination)) return text;
  return failure.entry.path + L": " + text;
}
