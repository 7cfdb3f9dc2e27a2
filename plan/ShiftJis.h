#pragma once
// Byte-string helpers for text in code page 932 (Shift-JIS). A byte from 0x81 to 0x9F
// or from 0xE0 to 0xFF starts a two-byte character whose second byte may equal an
// ASCII code such as '\\' or '|', so every single-character search steps by characters.
#include <cstddef>
#include <string>

namespace sjis {

bool IsLeadByte(unsigned char byte);

// Length in bytes of the character that starts at text[pos]; a lead byte at the
// end of the text counts as a character of its own.
std::size_t CharLength(const std::string& text, std::size_t pos);

// Position of the first character equal to ch at or after pos, or npos.
std::size_t FindChar(const std::string& text, char ch, std::size_t pos = 0);

// Position of the last character equal to ch, or npos.
std::size_t FindLastChar(const std::string& text, char ch);

// Position of the first occurrence of needle at or after pos that starts at a
// character boundary, or npos.
std::size_t Find(const std::string& text, const std::string& needle, std::size_t pos = 0);

// The same for a pos known to start a character: the search steps from pos, not from the
// start of the text, so that a walk through a long text stays linear.
std::size_t FindFromCharStart(const std::string& text, const std::string& needle, std::size_t pos);

// True when any character of text is one of the single-byte characters in set.
bool ContainsAnyChar(const std::string& text, const std::string& set);

// Appends "\\" unless the last character is the single byte '\\'; "" becomes "\\".
void AppendTrailingBackslash(std::string& path);

// The same for a zero-terminated buffer; the caller leaves room for two more bytes.
void AppendTrailingBackslash(char* path);

// c with an ASCII letter A to Z folded onto a to z; any other byte as it is.
char FoldAscii(char c);

// Equality with only the ASCII letters A to Z that are whole single-byte characters folded
// onto a to z; a double-byte character compares exactly (ア 0x83 0x41 never equals ヂ 0x83 0x61).
bool EqualsNoCaseAscii(const std::string& a, const std::string& b);

// text with those same letters folded: two texts are EqualsNoCaseAscii exactly when their
// folded forms are equal, so the folded form serves as a lookup key.
std::string FoldAsciiCase(const std::string& text);

// Removes space, tab, LF, VT, FF and CR from both ends, stepping by characters.
std::string Trim(const std::string& text);

}  // namespace sjis
