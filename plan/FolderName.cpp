#include "plan/FolderName.h"

#include <algorithm>

#include "plan/ShiftJis.h"

namespace {

const std::size_t kMaxNameBytes = 255;
const char kForbiddenChars[] = "\\/:*?\"<>|";
const char* const kDeviceNames[] = {"CON", "PRN", "AUX", "NUL"};
const char* const kNumberedDevices[] = {"COM", "LPT"};

// The second byte of a double-byte character is 0x40 or more, so a byte below 0x20 is
// always a character of its own.
bool HasControlChar(const std::string& name) {
  return std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// The part before the first dot names the device: "nul.txt" is NUL.
bool IsDeviceName(const std::string& name) {
  const std::string base = name.substr(0, name.find('.'));
  for (const char* device : kDeviceNames) {
    if (sjis::EqualsNoCaseAscii(base, device)) return true;
  }
  if (base.size() != 4 || base[3] < '1' || base[3] > '9') return false;
  for (const char* device : kNumberedDevices) {
    if (sjis::EqualsNoCaseAscii(base.substr(0, 3), device)) return true;
  }
  return false;
}

}  // namespace

bool HasForbiddenNameChar(const std::string& name) { return sjis::ContainsAnyChar(name, kForbiddenChars); }

// "." and ".." end in a dot. A trailing dot or space is a character of its own, since no
// second byte is below 0x40.
bool IsCreatableFolderName(const std::string& name) {
  if (name.empty() || name.size() > kMaxNameBytes) return false;
  if (name.back() == '.' || name.back() == ' ') return false;
  return !HasForbiddenNameChar(name) && !HasControlChar(name) && !IsDeviceName(name);
}
