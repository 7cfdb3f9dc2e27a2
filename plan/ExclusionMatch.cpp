#include "plan/ExclusionMatch.h"

#include "plan/ShiftJis.h"

namespace {

constexpr std::size_t kNone = std::string::npos;

// The matching below runs on Shift-JIS byte strings and on UTF-16 strings alike: a
// character is one or two units (a double-byte character, a surrogate pair), and only a
// one-unit character can be a separator, a wildcard or a letter that is folded.
std::size_t CharLength(const std::string& text, std::size_t pos) {
  return sjis::CharLength(text, pos);
}

std::size_t CharLength(const std::wstring& text, std::size_t pos) {
  const bool pair = text[pos] >= 0xD800 && text[pos] <= 0xDBFF && pos + 1 < text.size() &&
                    text[pos + 1] >= 0xDC00 && text[pos + 1] <= 0xDFFF;
  return pair ? 2 : 1;
}

template <typename Char>
bool IsSeparator(Char c) {
  return c == '\\' || c == '/';
}

template <typename Char>
Char Fold(Char c) {
  if (c == '/') return '\\';
  return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

// True when the characters at a[i] and b[j] are equal: a two-unit one exactly, a one-unit
// one folded.
template <typename Text>
bool SameChar(const Text& a, std::size_t i, const Text& b, std::size_t j) {
  const std::size_t length = CharLength(a, i);
  if (length != CharLength(b, j)) return false;
  return length == 2 ? a.compare(i, 2, b, j, 2) == 0 : Fold(a[i]) == Fold(b[j]);
}

// True when text[t, textEnd) matches pattern[p, patternEnd) as a whole. After a mismatch
// the last "*" takes one more character and the match goes on from there.
template <typename Text>
bool Matches(const Text& pattern, std::size_t p, std::size_t patternEnd, const Text& text,
             std::size_t t, std::size_t textEnd) {
  std::size_t afterStar = kNone;
  std::size_t starTakesUpTo = t;
  while (t < textEnd) {
    if (p < patternEnd && pattern[p] == '*') {
      afterStar = ++p;
      starTakesUpTo = t;
    } else if (p < patternEnd && (pattern[p] == '?' || SameChar(pattern, p, text, t))) {
      p += CharLength(pattern, p);
      t += CharLength(text, t);
    } else if (afterStar != kNone) {
      p = afterStar;
      starTakesUpTo += CharLength(text, starTakesUpTo);
      t = starTakesUpTo;
    } else {
      return false;
    }
  }
  while (p < patternEnd && pattern[p] == '*') ++p;
  return p == patternEnd;
}

// An exclusion entry as one pass over its characters finds it.
struct EntryShape {
  bool isPath = false;
  std::size_t end = 0;                // the length without the trailing separators
  std::size_t lastSeparator = kNone;  // the separator before the last name
};

template <typename Text>
EntryShape ShapeOf(const Text& entry) {
  EntryShape shape;
  std::size_t separator = kNone;
  for (std::size_t i = 0; i < entry.size(); i += CharLength(entry, i)) {
    if (CharLength(entry, i) == 1 && IsSeparator(entry[i])) {
      shape.isPath = true;
      separator = i;
    } else {
      shape.lastSeparator = separator;
      shape.end = i + CharLength(entry, i);
    }
  }
  return shape;
}

// The end of the name that starts at path[start]: the next separator or the end.
template <typename Text>
std::size_t NameEnd(const Text& path, std::size_t start) {
  std::size_t i = start;
  while (i < path.size() && !IsSeparator(path[i])) i += CharLength(path, i);
  return i;
}

// True when path starts with the folder part of the path entry (what comes before its last
// name), followed by a separator. An entry without a folder part names the first name of path.
template <typename Text>
bool StartsWithFolderPart(const Text& entry, const EntryShape& shape, const Text& path) {
  if (shape.lastSeparator == kNone) return true;
  const std::size_t folderEnd = shape.lastSeparator;
  if (path.size() <= folderEnd) return false;
  for (std::size_t i = 0; i < folderEnd; i += CharLength(entry, i)) {
    if (!SameChar(entry, i, path, i)) return false;
  }
  return IsSeparator(path[folderEnd]);
}

// True when the path entry names path or a folder above it: path starts with the entry's
// folder part, and the name that follows matches the entry's last name.
template <typename Text>
bool ExcludesAsPath(const Text& entry, const EntryShape& shape, const Text& path) {
  if (shape.end == 0 || !StartsWithFolderPart(entry, shape, path)) return false;
  const std::size_t nameStart = shape.lastSeparator == kNone ? 0 : shape.lastSeparator + 1;
  return Matches(entry, nameStart, shape.end, path, nameStart, NameEnd(path, nameStart));
}

// Where the bare name of path starts.
template <typename Text>
std::size_t BareNameStart(const Text& path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i += CharLength(path, i)) {
    if (path[i] == '\\') start = i + 1;
  }
  return start;
}

template <typename Text>
int FindFirstExclusion(const std::vector<Text>& exclusions, const Text& path) {
  const std::size_t nameStart = BareNameStart(path);
  for (std::size_t i = 0; i < exclusions.size(); ++i) {
    const Text& entry = exclusions[i];
    const EntryShape shape = ShapeOf(entry);
    const bool excludes = shape.isPath ? ExcludesAsPath(entry, shape, path)
                                       : Matches(entry, 0, entry.size(), path, nameStart, path.size());
    if (excludes) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

int FindExclusion(const std::vector<std::string>& exclusions, const std::string& path) {
  return FindFirstExclusion(exclusions, path);
}

int FindExclusion(const std::vector<std::wstring>& exclusions, const std::wstring& path) {
  return FindFirstExclusion(exclusions, path);
}
