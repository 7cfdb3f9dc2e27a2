#pragma once
// Conversions between the program's own strings (Shift-JIS, code page 932) and the wide
// strings of the file system, where names in any language live.
#include <string>

// The code page of the program's own strings: plan, window, settings, source paths.
constexpr unsigned kProgramCodePage = 932;

// text read as code page 932.
std::wstring WideFromAnsi(const std::string& text);

// text in code page 932 for display: a character the code page cannot hold becomes "?".
std::string AnsiForDisplay(const std::wstring& text);

// text in UTF-8, as the logs are written.
std::string Utf8FromWide(const std::wstring& text);
