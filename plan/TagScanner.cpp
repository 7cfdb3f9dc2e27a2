#include "plan/TagScanner.h"

#include "plan/ShiftJis.h"

namespace {

constexpr std::size_t npos = std::string::npos;

// "</" and the element name of the prefix: the prefix without its "<", trimmed, cut
// before its first space ("<multiRef id=\"r1\"" gives "</multiRef").
std::string ClosingPrefix(const std::string& tagPrefix) {
  std::string name = sjis::Trim(tagPrefix.substr(1));
  return "</" + name.substr(0, sjis::FindChar(name, ' '));
}

// Removes a leading ch and the white space after it; false when text does not begin with ch.
bool SkipChar(std::string& text, char ch) {
  if (text.empty() || text[0] != ch) return false;
  text = sjis::Trim(text.substr(1));
  return true;
}

// The id of the reference href="#id" in an empty-element tag: 1 with the id, 0 when the
// tag has no "href", -1 when the reference is malformed.
int ReferenceId(const std::string& tag, std::string& id) {
  std::size_t href = sjis::Find(tag, "href");
  if (href == npos) return 0;
  std::string rest = sjis::Trim(tag.substr(href + 4));
  if (!SkipChar(rest, '=') || !SkipChar(rest, '"')) return -1;
  std::size_t quote = sjis::FindChar(rest, '"');
  if (quote == npos || quote == 0 || rest[0] != '#') return -1;
  id = rest.substr(1, quote - 1);
  return 1;
}

}  // namespace

int FindElement(std::string& element, const std::string& text, const std::string& tagPrefix,
                std::size_t* start, std::size_t* end) {
  return FindElementFrom(element, text, 0, tagPrefix, start, end);
}

int FindElementFrom(std::string& element, const std::string& text, std::size_t from,
                    const std::string& tagPrefix, std::size_t* start, std::size_t* end) {
  if (tagPrefix.empty() || tagPrefix[0] != '<') return 0;
  std::size_t first = sjis::FindFromCharStart(text, tagPrefix, from);
  if (first == npos) return 0;
  std::size_t last = sjis::FindFromCharStart(text, ">", first);
  // A ">" inside the prefix itself ends the search: such a prefix is never found.
  if (last == npos || last < first + tagPrefix.size()) return 0;
  if (text[last - 1] != '/') {
    std::size_t closing = sjis::FindFromCharStart(text, ClosingPrefix(tagPrefix), last);
    if (closing == npos) return 0;
    last = sjis::FindFromCharStart(text, ">", closing);
    if (last == npos) return 0;
  }
  element = text.substr(first, last - first + 1);
  if (start) *start = first;
  if (end) *end = last;
  return 1;
}

int GetElement(std::string& content, const std::string* document, const std::string* text,
               const std::string& tagPrefix, std::size_t* start, std::size_t* end,
               std::string* openingTag) {
  if (!document) return -1;
  return GetElementFrom(content, *document, text ? *text : *document, 0, tagPrefix, start, end, openingTag);
}

int GetElementFrom(std::string& content, const std::string& document, const std::string& text,
                   std::size_t from, const std::string& tagPrefix, std::size_t* start,
                   std::size_t* end, std::string* openingTag) {
  std::string element;
  if (!FindElementFrom(element, text, from, tagPrefix, start, end)) return -1;
  std::size_t tagEnd = sjis::FindChar(element, '>');
  if (openingTag) *openingTag = element.substr(0, tagEnd + 1);
  if (element[tagEnd - 1] != '/') {
    std::size_t closing = sjis::FindFromCharStart(element, ClosingPrefix(tagPrefix), tagEnd + 1);
    if (closing == npos) return -1;
    content = element.substr(tagEnd + 1, closing - tagEnd - 1);
    return 0;
  }
  std::string id;
  int reference = ReferenceId(element, id);
  if (reference < 0) return -1;
  if (reference == 0) {
    content.clear();
    return 0;
  }
  return FindMultiRef(content, document, id) ? 1 : -1;
}

int FindMultiRef(std::string& element, const std::string& document, const std::string& id) {
  return FindElement(element, document, "<multiRef id=\"" + id + "\"");
}
