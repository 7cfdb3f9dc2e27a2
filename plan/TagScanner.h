#pragma once
// Finds XML-shaped elements in Shift-JIS text by plain, character-aware searching,
// without parsing. Positions are byte offsets into the text searched. An empty-element
// tag with href="#id" stands for the element <multiRef id="id"> of the whole document.
// Outputs are written only on success, except the opening tag of GetElement (below);
// pointer outputs may be null.
#include <cstddef>
#include <string>

// Element text (from the "<" of the opening tag to the ">" of the closing tag, or the
// empty-element tag alone) of the first element whose opening tag starts with tagPrefix,
// such as "<desfolder". Nested elements of the same name are not counted: the first
// closing tag after the opening tag ends the element. Returns 1 when found, 0 when not.
int FindElement(std::string& element, const std::string& text, const std::string& tagPrefix,
                std::size_t* start = nullptr, std::size_t* end = nullptr);

// Searches text (the document when text is null) like FindElement. Returns 0 with the
// element's content as it stands, 1 with the element text of the referenced multiRef
// element, or -1 when nothing was found or a reference is broken. The opening tag (up to
// its first ">") is written as soon as the element is found; start and end stay those of
// the element found in text, also for a reference.
int GetElement(std::string& content, const std::string* document, const std::string* text,
               const std::string& tagPrefix, std::size_t* start = nullptr,
               std::size_t* end = nullptr, std::string* openingTag = nullptr);

// FindElement and GetElement on the part of text from position from onwards, which must
// start a character. The search steps from there, so that a walk through a sequence of
// elements stays linear; positions given out are those in the whole text.
int FindElementFrom(std::string& element, const std::string& text, std::size_t from,
                    const std::string& tagPrefix, std::size_t* start = nullptr,
                    std::size_t* end = nullptr);
int GetElementFrom(std::string& content, const std::string& document, const std::string& text,
                   std::size_t from, const std::string& tagPrefix, std::size_t* start = nullptr,
                   std::size_t* end = nullptr, std::string* openingTag = nullptr);

// Element text of the first <multiRef id="id" element of the document; 1 found, 0 not.
int FindMultiRef(std::string& element, const std::string& document, const std::string& id);
