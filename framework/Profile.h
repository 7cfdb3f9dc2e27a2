#pragma once
// Integer settings in a private profile (ini) file.
#include <string>

class CProfile {
 public:
  void SetPath(const std::string& path) { m_strPath = path; }
  const std::string& GetPath() const { return m_strPath; }

  // The stored value, or defaultValue when the file, section or key is missing or
  // the path is too long for the profile functions.
  int GetInt(const char* section, const char* key, int defaultValue) const;
  // Writes value as decimal text; a failure is ignored.
  void WriteInt(const char* section, const char* key, int value) const;

 private:
  bool IsUsable() const;

  std::string m_strPath;
};
