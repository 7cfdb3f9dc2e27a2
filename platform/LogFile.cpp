#include "platform/LogFile.h"

#include <windows.h>

#include <cwchar>

#include "copy/WideText.h"

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";
const std::uint64_t kByteOrderMarkSize = sizeof(kByteOrderMark) - 1;

std::wstring LocalDateAndTime() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  wchar_t text[32];
  std::swprintf(text, sizeof(text) / sizeof(text[0]), L"%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth,
                now.wDay, now.wHour, now.wMinute, now.wSecond);
  return text;
}

// The size of the file at path; 0 when it is missing.
std::uint64_t FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

bool CLogFile::AppendLine(const std::wstring& text) const {
  try {
    const std::string line = Utf8FromWide(LocalDateAndTime() + L" " + text) + "\r\n";
    MoveAsideIfFull(line.size());
    return Append(line);
  } catch (...) {
    return false;  // out of memory: the line is lost, the caller goes on
  }
}

// A file that holds no more than its byte-order mark is kept, however long the line.
void CLogFile::MoveAsideIfFull(std::uint64_t lineSize) const {
  if (m_limit == 0) return;
  const std::uint64_t size = FileSize(m_path);
  if (size <= kByteOrderMarkSize || size + lineSize <= m_limit) return;
  ::MoveFileExW(m_path.c_str(), (m_path + L".1").c_str(), MOVEFILE_REPLACE_EXISTING);
}

// Opened for appending only, so that lines of two writers never overwrite each other.
bool CLogFile::Append(const std::string& line) const {
  HANDLE file = ::CreateFileW(m_path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool written = ::GetFileSizeEx(file, &size) != FALSE;
  const std::string text = written && size.QuadPart == 0 ? kByteOrderMark + line : line;
  DWORD count = 0;
  written = written && ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &count, nullptr) &&
            count == text.size();
  ::CloseHandle(file);
  return written;
}
