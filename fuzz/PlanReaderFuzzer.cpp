// Feeds arbitrary bytes to the plan reader, over an in-memory tree that already holds a
// plan, and to the tag scanner with an arbitrary prefix. Besides the sanitizers' checks,
// a load must leave one top folder and a folder map that matches the tree.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "plan/DateName.h"
#include "plan/MemoryPlanTree.h"
#include "plan/PlanReader.h"
#include "plan/TagScanner.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void LoadIntoAPlan(const std::string& document) {
  CFolderMap folders;
  CMemoryPlanTree tree(folders);
  tree.AddFolder(tree.AddFolder(nullptr, "2006-05-01"), "docs");
  folders.GetOrCreate("2006-05-01/docs") = {"C:\\a"};
  LoadPlanText(document, tree, folders, PlanLoadSettings{"C:\\work\\", "2030-01-02", IsIsoDateName});

  Check(tree.GetTopFolder() != nullptr && tree.GetNextSibling(tree.GetTopFolder()) == nullptr);
  Check(tree.MatchesFolderMap());
}

// The bytes before the first NUL are the tag prefix, the rest is the text.
void ScanWithPrefix(const std::string& input) {
  std::size_t split = input.find('\0');
  if (split == std::string::npos) return;
  std::string prefix = input.substr(0, split);
  std::string text = input.substr(split + 1);
  std::string content;
  std::size_t start = 0;
  std::size_t end = 0;
  std::string tag;
  if (GetElement(content, &text, nullptr, prefix, &start, &end, &tag) >= 0) {
    Check(start <= end && end < text.size() && text[start] == '<' && text[end] == '>');
    Check(tag.size() <= end - start + 1 && text.compare(start, tag.size(), tag) == 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  LoadIntoAPlan(input);
  ScanWithPrefix(input);
  return 0;
}
