#include "framework/Profile.h"

#include <windows.h>

int CProfile::GetInt(const char* section, const char* key, int defaultValue) const {
  return static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, m_strPath.c_str()));
}

void CProfile::WriteInt(const char* section, const char* key, int value) const {
  WritePrivateProfileStringA(section, key, std::to_string(value).c_str(), m_strPath.c_str());
}
