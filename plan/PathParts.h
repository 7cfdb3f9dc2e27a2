#pragma once
// Splitting a Shift-JIS path into its parts, stepping by characters so that the
// second byte of a two-byte character never counts as a separator.
#include <string>

// The drive ("C:" when the second byte is a colon, else empty) followed by the folder
// part: what comes after the drive up to and including the last "\" or "/", empty when
// there is none. "C:\data\report.txt" gives "C:\data\", "C:\data" gives "C:\".
std::string DriveAndFolderOf(const std::string& path);
