#pragma once
// Whether Windows can create a folder of a given name: the rules of the file system and
// of the device namespace, on Shift-JIS names.
#include <string>

// True when name holds one of the nine characters a file name may not hold
// (\ / : * ? " < > |); the second byte of a double-byte character never counts.
bool HasForbiddenNameChar(const std::string& name);

// True when Windows can create a folder named name: not empty, at most 255 bytes, none of
// the nine forbidden characters and no control character, not "." or "..", no trailing
// dot or space, and not a device name (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9 in
// any ASCII case, alone or before a dot).
bool IsCreatableFolderName(const std::string& name);
