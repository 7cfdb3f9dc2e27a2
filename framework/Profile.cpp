#include "framework/Profile.h"

#include <windows.h>

// The ANSI profile functions cannot take a longer path, so such a file is treated as
// missing and never written.
bool CProfile::IsUsable() const { return m_strPath.size() < MAX_PATH; }

int CProfile::GetInt(const char* section, const char* key, int defaultValue) const {
  if (!IsUsable()) return defaultValue;
  return static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, m_strPath.c_str()));
}

void CProfile::WriteInt(const char* section, const char* key, int value) const {
  if (!IsUsable()) return;
  WritePrivateProfileStringA(section, key, std::to_string(value).c_str(), m_strPath.c_str());
}
