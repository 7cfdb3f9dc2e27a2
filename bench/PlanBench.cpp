// The plan files of the plan benchmark, and the time to read one into the in-memory tree.
// Usage: plan_bench write FOLDER   writes one plan file per shape into FOLDER
//        plan_bench load FILE      reads FILE as the console runner does and prints figures
// Portable C++ but for the date test, so that the same source builds natively and for Windows.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "plan/DateName.h"
#include "plan/MemoryPlanTree.h"
#include "plan/PlanReader.h"
#include "plan/PlanWriter.h"
#ifdef _WIN32
#include "platform/LocaleDate.h"
#endif

namespace {

const char kTop[] = "backup";

// The date test of the console runner on Windows, so that the load there is the runner's.
#ifdef _WIN32
bool (*const kIsDate)(const std::string&) = IsLocaleDate;
#else
bool (*const kIsDate)(const std::string&) = IsIsoDateName;
#endif

std::string Numbered(const char* prefix, int number) { return prefix + std::to_string(number); }

// Every folder of a 47 x 47 x 47 tree, intermediate ones included, as a saved plan holds them.
void AddCube(CFolderMap& folders) {
  for (int a = 0; a < 47; ++a) {
    std::string first = std::string(kTop) + "/" + Numbered("a", a);
    folders.AddIfMissing(first);
    for (int b = 0; b < 47; ++b) {
      std::string second = first + "/" + Numbered("b", b);
      folders.AddIfMissing(second);
      for (int c = 0; c < 47; ++c) folders.AddIfMissing(second + "/" + Numbered("c", c));
    }
  }
}

void AddSiblings(CFolderMap& folders) {
  for (int i = 0; i < 10000; ++i) folders.AddIfMissing(std::string(kTop) + "/" + Numbered("sibling", i));
}

void AddSources(CFolderMap& folders) {
  CSourceList& sources = folders.GetOrCreate(std::string(kTop) + "/docs");
  for (int i = 0; i < 100000; ++i) sources.push_back(Numbered("C:\\nowhere\\file", i) + ".txt");
}

void Write(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

void WritePlans(const std::string& folder) {
  std::vector<std::string> exclusions;
  for (int i = 0; i < 100000; ++i) exclusions.push_back(Numbered("*.tmp", i));
  const std::pair<const char*, void (*)(CFolderMap&)> shapes[] = {
      {"cube-47x47x47", AddCube}, {"siblings-10000", AddSiblings}, {"sources-100000", AddSources}};
  for (const auto& shape : shapes) {
    CFolderMap folders;
    folders.AddIfMissing(kTop);
    shape.second(folders);
    Write(folder + "/" + shape.first + ".xml", FormatPlan("C:\\backup\\", folders, {}));
  }
  CFolderMap top;
  top.AddIfMissing(kTop);
  Write(folder + "/exclusions-100000.xml", FormatPlan("C:\\backup\\", top, exclusions));
  // A 20,000-deep chain in one key, 40 KB: read up to the key limits, so it loads nothing.
  std::string chain = kTop;
  for (int i = 0; i < 20000; ++i) chain += "/a";
  Write(folder + "/chain-20000.xml", "<Sheafkeeper>\n<desfolder name=\"" + chain + "\"/>\n</Sheafkeeper>\n");
}

int LoadOne(const std::string& path) {
  CFolderMap folders;
  CMemoryPlanTree tree(folders);
  tree.AddFolder(nullptr, DateFolderName());
  const auto start = std::chrono::steady_clock::now();
  PlanLoadResult result = LoadPlan(path, tree, folders, PlanLoadSettings{"C:\\work\\", DateFolderName(), kIsDate});
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  std::size_t sources = 0;
  for (const CFolderMap::Entry& entry : folders.Walk()) sources += entry.sources ? entry.sources->size() : 0;
  std::printf("%-24s %7.3f s  %6zu folders %6zu sources %6zu exclusions\n", path.substr(path.rfind('/') + 1).c_str(),
              seconds.count(), folders.Count(), sources, tree.m_exclusions.size());
  return result == PlanLoadResult::kLoaded ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc == 3 ? argv[1] : "";
  if (command == "write") {
    WritePlans(argv[2]);
    return 0;
  }
  if (command == "load") return LoadOne(argv[2]);
  std::fputs("usage: plan_bench write FOLDER | load FILE\n", stderr);
  return 2;
}
