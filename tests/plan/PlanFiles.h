#pragma once
// Files for the plan file tests: a temporary folder removed at the end of a test, whole
// files read and written as bytes, and the replace step of the platform.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "plan/PlanWriter.h"
#ifdef _WIN32
#include "platform/FileMove.h"
inline const SaveFileOps& kSaveOps = kWindowsSaveFileOps;
#else
inline const SaveFileOps& kSaveOps = kStandardSaveFileOps;
#endif

class CTempFolder {
 public:
  CTempFolder()
      : m_path(std::filesystem::temp_directory_path() /
               ("sheafkeeper-plan-" + std::to_string(std::random_device()()))) {
    std::filesystem::create_directory(m_path);
  }
  ~CTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  // The path of name inside the folder. Joined as bytes: std::filesystem would not read
  // a Shift-JIS name in the system code page.
  std::string operator/(const std::string& name) const {
    return m_path.string() + static_cast<char>(std::filesystem::path::preferred_separator) + name;
  }

 private:
  std::filesystem::path m_path;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}
