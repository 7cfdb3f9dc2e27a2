#include "plan/PlanWriter.h"

#include <cstdio>
#include <fstream>

#include "plan/ShiftJis.h"

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

namespace {

const unsigned kMaxAttempts = 256;

// value in exactly digits hex digits; empty when it needs more, or when digits is 0.
std::string Hex(unsigned value, std::size_t digits) {
  if (digits == 0) return std::string();
  std::string text(digits, '0');
  for (std::size_t i = digits; i > 0 && value > 0; --i, value /= 16) text[i - 1] = "0123456789abcdef"[value % 16];
  return value == 0 ? text : std::string();
}

bool CreateNewStandard(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wbx");
  if (!file) return false;
  std::fclose(file);
  return true;
}

bool RenameReplacing(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace

const SaveFileOps kStandardSaveFileOps{CreateNewStandard, RenameReplacing};

std::string TemporaryPathFor(const std::string& path, unsigned attempt) {
  std::size_t nameStart = 0;
  for (std::size_t i = 0; i < path.size(); i += sjis::CharLength(path, i)) {
    if (path[i] == '\\' || path[i] == '/') nameStart = i + 1;
  }
  std::size_t room = path.size() - nameStart;
  std::string name = room >= 11 ? "~sk" + Hex(attempt, 4) + ".tmp" : Hex(attempt, room);
  return name.empty() ? std::string() : path.substr(0, nameStart) + name;
}

bool WriteFileReplacing(const std::string& path, const std::string& text, const SaveFileOps& ops) {
  std::string temp;
  for (unsigned attempt = 0; attempt < kMaxAttempts && temp.empty(); ++attempt) {
    std::string candidate = TemporaryPathFor(path, attempt);
    if (candidate.empty()) return false;
    if (ops.createNew(candidate)) temp = candidate;
  }
  if (temp.empty()) return false;
  std::ofstream out(temp, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();  // flushes; a write error shows here at the latest
  if (!out || !ops.replace(temp, path)) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

bool SavePlan(const std::string& path, const std::string& desRoot, const CFolderMap& folders,
              const std::vector<std::string>& exclusions, const SaveFileOps& ops) {
  return WriteFileReplacing(path, FormatPlan(desRoot, folders, exclusions), ops);
}
