#include "plan/ShiftJis.h"

#include <cstring>

namespace sjis {

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0;
}

std::size_t CharLength(const std::string& text, std::size_t pos) {
  return IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

std::size_t FindChar(const std::string& text, char ch, std::size_t pos) {
  return Find(text, std::string(1, ch), pos);
}

std::size_t FindLastChar(const std::string& text, char ch) {
  std::size_t found = std::string::npos;
  for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) {
    if (text[i] == ch) found = i;
  }
  return found;
}

std::size_t Find(const std::string& text, const std::string& needle, std::size_t pos) {
  std::size_t start = 0;
  while (start < pos && start < text.size()) start += CharLength(text, start);
  std::size_t found = FindFromCharStart(text, needle, start);
  return found == std::string::npos && needle.empty() && pos <= text.size() ? pos : found;
}

std::size_t FindFromCharStart(const std::string& text, const std::string& needle, std::size_t pos) {
  for (std::size_t i = pos; i < text.size(); i += CharLength(text, i)) {
    if (text.compare(i, needle.size(), needle) == 0) return i;
  }
  return std::string::npos;
}

bool ContainsAnyChar(const std::string& text, const std::string& set) {
  for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) {
    if (set.find(text[i]) != std::string::npos) return true;
  }
  return false;
}

namespace {
bool EndsWithSingleByteBackslash(const char* path, std::size_t length) {
  std::size_t last = length;
  for (std::size_t i = 0; i < length;) {
    last = i;
    i += IsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < length ? 2 : 1;
  }
  return last < length && path[last] == '\\';
}
}  // namespace

void AppendTrailingBackslash(std::string& path) {
  if (!EndsWithSingleByteBackslash(path.data(), path.size())) path += '\\';
}

void AppendTrailingBackslash(char* path) {
  std::size_t length = std::strlen(path);
  if (!EndsWithSingleByteBackslash(path, length)) {
    path[length] = '\\';
    path[length + 1] = '\0';
  }
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Equal lead bytes at equal positions keep the character boundaries of a and b in step,
// so a's boundaries serve for both.
bool EqualsNoCaseAscii(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); i += CharLength(a, i)) {
    if (CharLength(a, i) == 2) {
      if (a.compare(i, 2, b, i, 2) != 0) return false;
    } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
      return false;
    }
  }
  return true;
}

std::string FoldAsciiCase(const std::string& text) {
  std::string folded = text;
  for (std::size_t i = 0; i < folded.size(); i += CharLength(folded, i)) folded[i] = FoldAscii(folded[i]);
  return folded;
}

namespace {
bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
}  // namespace

std::string Trim(const std::string& text) {
  std::size_t begin = std::string::npos;
  std::size_t end = 0;
  for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) {
    if (IsWhiteSpace(text[i])) continue;
    if (begin == std::string::npos) begin = i;
    end = i + CharLength(text, i);
  }
  return begin == std::string::npos ? std::string() : text.substr(begin, end - begin);
}

}  // namespace sjis
