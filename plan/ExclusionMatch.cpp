#include "plan/ExclusionMatch.h"

#include "plan/ShiftJis.h"

namespace {

constexpr std::size_t kNone = std::string::npos;

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

char Fold(char c) {
  return c == '/' ? '\\' : sjis::FoldAscii(c);
}

// True when the characters at a[i] and b[j] are equal: a double-byte one exactly, a
// single-byte one folded.
bool SameChar(const std::string& a, std::size_t i, const std::string& b, std::size_t j) {
  const std::size_t length = sjis::CharLength(a, i);
  if (length != sjis::CharLength(b, j)) return false;
  return length == 2 ? a.compare(i, 2, b, j, 2) == 0 : Fold(a[i]) == Fold(b[j]);
}

// True when text[t, textEnd) matches pattern[p, patternEnd) as a whole. After a mismatch
// the last "*" takes one more character and the match goes on from there.
bool Matches(const std::string& pattern, std::size_t p, std::size_t patternEnd, const std::string& text,
             std::size_t t, std::size_t textEnd) {
  std::size_t afterStar = kNone;
  std::size_t starTakesUpTo = t;
  while (t < textEnd) {
    if (p < patternEnd && pattern[p] == '*') {
      afterStar = ++p;
      starTakesUpTo = t;
    } else if (p < patternEnd && (pattern[p] == '?' || SameChar(pattern, p, text, t))) {
      p += sjis::CharLength(pattern, p);
      t += sjis::CharLength(text, t);
    } else if (afterStar != kNone) {
      p = afterStar;
      starTakesUpTo += sjis::CharLength(text, starTakesUpTo);
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

EntryShape ShapeOf(const std::string& entry) {
  EntryShape shape;
  std::size_t separator = kNone;
  for (std::size_t i = 0; i < entry.size(); i += sjis::CharLength(entry, i)) {
    if (sjis::CharLength(entry, i) == 1 && IsSeparator(entry[i])) {
      shape.isPath = true;
      separator = i;
    } else {
      shape.lastSeparator = separator;
      shape.end = i + sjis::CharLength(entry, i);
    }
  }
  return shape;
}

// The end of the name that starts at path[start]: the next separator or the end.
std::size_t NameEnd(const std::string& path, std::size_t start) {
  std::size_t i = start;
  while (i < path.size() && !IsSeparator(path[i])) i += sjis::CharLength(path, i);
  return i;
}

// True when path starts with the folder part of the path entry (what comes before its last
// name), followed by a separator. An entry without a folder part names the first name of path.
bool StartsWithFolderPart(const std::string& entry, const EntryShape& shape, const std::string& path) {
  if (shape.lastSeparator == kNone) return true;
  const std::size_t folderEnd = shape.lastSeparator;
  if (path.size() <= folderEnd) return false;
  for (std::size_t i = 0; i < folderEnd; i += sjis::CharLength(entry, i)) {
    if (!SameChar(entry, i, path, i)) return false;
  }
  return IsSeparator(path[folderEnd]);
}

// True when the path entry names path or a folder above it: path starts with the entry's
// folder part, and the name that follows matches the entry's last name.
bool ExcludesAsPath(const std::string& entry, const EntryShape& shape, const std::string& path) {
  if (shape.end == 0 || !StartsWithFolderPart(entry, shape, path)) return false;
  const std::size_t nameStart = shape.lastSeparator == kNone ? 0 : shape.lastSeparator + 1;
  return Matches(entry, nameStart, shape.end, path, nameStart, NameEnd(path, nameStart));
}

// Where the bare name of path starts.
std::size_t BareNameStart(const std::string& path) {
  const std::size_t separator = sjis::FindLastChar(path, '\\');
  return separator == kNone ? 0 : separator + 1;
}

}  // namespace

int FindExclusion(const std::vector<std::string>& exclusions, const std::string& path) {
  const std::size_t nameStart = BareNameStart(path);
  for (std::size_t i = 0; i < exclusions.size(); ++i) {
    const std::string& entry = exclusions[i];
    const EntryShape shape = ShapeOf(entry);
    const bool excludes = shape.isPath ? ExcludesAsPath(entry, shape, path)
                                       : Matches(entry, 0, entry.size(), path, nameStart, path.size());
    if (excludes) return static_cast<int>(i);
  }
  return -1;
}
