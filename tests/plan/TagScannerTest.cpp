#include "plan/TagScanner.h"

#include <gtest/gtest.h>

namespace {

// GetElement on text alone (it is also the document); content "-" when not written.
struct Got {
  int result;
  std::string content = "-";
  std::size_t start = 99;
  std::size_t end = 99;
  std::string tag = "-";
};
Got Get(const std::string& text, const std::string& prefix) {
  Got got{0};
  got.result = GetElement(got.content, &text, nullptr, prefix, &got.start, &got.end, &got.tag);
  return got;
}

TEST(GetElement, GivesContentAndPositionsOfTheWholeElement) {
  std::string text = "<srcfilepath>C:\\a.txt</srcfilepath>";
  Got got = Get(text, "<srcfilepath");
  EXPECT_EQ(got.result, 0);
  EXPECT_EQ(got.content, "C:\\a.txt");
  EXPECT_EQ(got.start, 0u);
  EXPECT_EQ(got.end, text.size() - 1);
  EXPECT_EQ(got.tag, "<srcfilepath>");

  Got inner = Get("xx<a k=\"v\"> &amp; </a>yy", "<a");
  EXPECT_EQ(inner.content, " &amp; ");  // neither trimmed nor decoded
  EXPECT_EQ(inner.start, 2u);
  EXPECT_EQ(inner.end, 21u);
  EXPECT_EQ(inner.tag, "<a k=\"v\">");
}

TEST(GetElement, EmptyElementsGiveEmptyContent) {
  EXPECT_EQ(Get("<a></a>", "<a").content, "");
  Got selfClosing = Get("<a x=\"1\"/>tail</a>", "<a");
  EXPECT_EQ(selfClosing.result, 0);
  EXPECT_EQ(selfClosing.content, "");
  EXPECT_EQ(selfClosing.end, 9u);  // the tag alone, not up to the later closing tag
}

TEST(GetElement, NestedElementsOfOneNameEndAtTheFirstClosingTag) {
  EXPECT_EQ(Get("<a>1<a>2</a>3</a>", "<a").content, "1<a>2");
  // A prefix also matches longer names, and with attributes it closes by its name alone.
  EXPECT_EQ(Get("<ab>x</a>", "<a").content, "x");
  EXPECT_EQ(Get("<m id=\"2\">v</m>", "<m id=\"2\"").content, "v");
}

TEST(GetElement, FailsWithoutPrefixDocumentOrClosingTagAndWritesNothing) {
  EXPECT_EQ(Get("<a>x</a>", "a").result, -1);
  EXPECT_EQ(Get("<a x", "<a").result, -1);
  EXPECT_EQ(Get("<a>x</a>", "<a>").result, -1);  // a prefix holding ">" is never found
  std::string content = "-";
  EXPECT_EQ(GetElement(content, nullptr, nullptr, "<a"), -1);

  Got open = Get("  <a>x</b>", "<a");
  EXPECT_EQ(open.result, -1);
  EXPECT_EQ(open.tag, "-");
  EXPECT_EQ(open.content, "-");
  EXPECT_EQ(open.start, 99u);
}

TEST(GetElement, NeverMatchesAtTheSecondByteOfACharacter) {
  // "\x81<" is one character, so the first "<a" there is not a tag.
  Got got = Get("\x81<a>1</a><a>2</a>", "<a");
  EXPECT_EQ(got.content, "2");
  EXPECT_EQ(got.start, 9u);
  // Neither the closing prefix, the ">" of a tag nor "href" match inside a character.
  EXPECT_EQ(Get("<a>\x81</a>1</a>", "<a").content, "\x81</a>1");
  EXPECT_EQ(Get("<a t=\"\x81>\">1</a>", "<a").tag, "<a t=\"\x81>\">");
  EXPECT_EQ(Get("<a t=\"\x83href\"/>", "<a").result, 0);
  EXPECT_EQ(Get("<a t=\"href\"/>", "<a").result, -1);
}

TEST(GetElement, FollowsAReferenceThroughTheWholeDocument) {
  std::string document =
      "<list><item href = \" #r1\"/></list><multiRef id=\"r1\"><v>1</v></multiRef>";
  std::string narrow = "<item href=\"#r1\"/>";
  std::string content;
  std::size_t end = 0;
  EXPECT_EQ(GetElement(content, &document, &narrow, "<item", nullptr, &end), 1);
  EXPECT_EQ(content, "<multiRef id=\"r1\"><v>1</v></multiRef>");
  EXPECT_EQ(end, narrow.size() - 1);  // a walk steps past the reference only
  EXPECT_EQ(Get(document, "<item").result, 1);

  std::string element;
  EXPECT_EQ(FindMultiRef(element, document, "r1"), 1);
  EXPECT_EQ(element, content);
  EXPECT_EQ(FindMultiRef(element, document, "r"), 0);
}

TEST(GetElement, BrokenReferencesFailAfterGivingTheTagAndPositions) {
  const std::string target = "<multiRef id=\"r1\">v</multiRef>";
  for (const char* tag : {"<i href\"#r1\"/>", "<i href=#r1/>", "<i href=\"#r1/>",
                          "<i href=\"r1\"/>", "<i href=\"\"/>", "<i href=\"#r2\"/>"}) {
    Got got = Get(tag + target, "<i");
    EXPECT_EQ(got.result, -1) << tag;
    EXPECT_EQ(got.content, "-") << tag;
    EXPECT_EQ(got.tag, tag);
    EXPECT_EQ(got.end, std::string(tag).size() - 1) << tag;
  }
}

}  // namespace
