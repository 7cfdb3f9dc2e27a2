#include "plan/PlanWriter.h"

#include <cstdio>
#include <fstream>

std::string FormatPlan(const std::string& desRoot, const CFolderMap& folders,
                       const std::vector<std::string>& exclusions) {
  std::string text = "<?xml version=\"1.0\" encoding=\"Shift-JIS\" ?>\r\n";
  text += "<Sheafkeeper desrootfolder=\"" + desRoot + "\">\r\n";
  for (const CFolderMap::Entry& entry : folders.Walk()) {
    text += "  <desfolder name=\"" + entry.key + "\">\r\n";
    if (entry.sources) {
      for (const std::string& path : *entry.sources) {
        if (!path.empty()) text += "    <srcfilepath>" + path + "</srcfilepath>\r\n";
      }
    }
    text += "  </desfolder>\r\n";
  }
  for (const std::string& name : exclusions) {
    text += "  <nocopyfilepath>" + name + "</nocopyfilepath>\r\n";
  }
  text += "</Sheafkeeper>\r\n";
  return text;
}

bool WriteFileReplacing(const std::string& path, const std::string& text, ReplaceFileFn replace) {
  std::string temp = path + kTemporarySuffix;
  std::ofstream out(temp, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();  // flushes; a write error shows here at the latest
  if (!out || !replace(temp, path)) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

bool SavePlan(const std::string& path, const std::string& desRoot, const CFolderMap& folders,
              const std::vector<std::string>& exclusions, ReplaceFileFn replace) {
  return WriteFileReplacing(path, FormatPlan(desRoot, folders, exclusions), replace);
}

bool RenameReplacing(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}
