#pragma once
// A log file that grows by one dated line at a time: UTF-8 beginning with a byte-order
// mark, CR LF line ends. The file is opened for each line, so that a killed process loses
// nothing it has written, and with a size limit it is moved to path + ".1" (replacing an
// older one) before a line would take it past the limit.
#include <cstdint>
#include <string>
#include <utility>

class CLogFile {
 public:
  // limit: the most bytes the file may hold; 0 for no limit.
  explicit CLogFile(std::wstring path, std::uint64_t limit = 0) : m_path(std::move(path)), m_limit(limit) {}

  // Appends "YYYY-MM-DD HH:MM:SS text" in local time and CR LF; false when the line could
  // not be written. Never throws.
  bool AppendLine(const std::wstring& text) const;
  const std::wstring& Path() const { return m_path; }

 private:
  std::wstring m_path;
  std::uint64_t m_limit;

  void MoveAsideIfFull(std::uint64_t lineSize) const;
  bool Append(const std::string& line) const;
};
