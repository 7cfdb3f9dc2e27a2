#include "plan/PlanReader.h"

#include <fstream>
#include <unordered_map>
#include <vector>

#include "plan/ShiftJis.h"
#include "plan/TagScanner.h"

namespace {

constexpr std::size_t npos = std::string::npos;
using Item = IPlanTree::Item;

// No folder of a longer or deeper key can exist on disk; keeping such keys out also keeps
// every walk of the tree and every key built from it small.
constexpr std::size_t kMaxKeyNames = 128;
constexpr std::size_t kMaxKeyLength = 1024;

// Takes the next element named by tagPrefix from text at from on: gives its content (and
// opening tag) and moves from past the element's last byte. False when there is none.
bool TakeElement(const std::string& document, const std::string& text, std::size_t& from,
                 const std::string& tagPrefix, std::string& content, std::string* openingTag = nullptr) {
  std::size_t end = 0;
  if (GetElementFrom(content, document, text, from, tagPrefix, nullptr, &end, openingTag) < 0) {
    return false;
  }
  from = end + 1;
  return true;
}

// The value of name when it is the first attribute of the opening tag, written exactly
// as name="value"; empty in every other case.
std::string FirstAttribute(const std::string& openingTag, const std::string& tagPrefix,
                           const std::string& name) {
  std::string rest = sjis::Trim(openingTag.substr(tagPrefix.size()));
  std::string lead = name + "=\"";
  if (rest.compare(0, lead.size(), lead) != 0) return std::string();
  rest.erase(0, lead.size());
  std::size_t quote = sjis::FindChar(rest, '"');
  return quote == npos ? std::string() : rest.substr(0, quote);
}

// name up to its first NUL byte, as a tree item's text would be. A NUL that follows a lead
// byte ends the name before that byte, so that the name never ends in half a character.
std::string CutAtNul(const std::string& name) {
  std::size_t nul = name.find('\0');
  if (nul == npos) return name;
  std::size_t cut = 0;
  while (cut + sjis::CharLength(name, cut) <= nul) cut += sjis::CharLength(name, cut);
  return name.substr(0, cut);
}

// The names of key: split at every "/", a trailing "/" giving no name of its own, each
// name cut at a NUL byte. False when a name is empty only because of that cut.
bool SplitKey(const std::string& key, std::vector<std::string>& names) {
  for (std::size_t begin = 0;;) {
    std::size_t slash = sjis::FindFromCharStart(key, "/", begin);
    std::string name = key.substr(begin, slash == npos ? npos : slash - begin);
    std::string cut = CutAtNul(name);
    if (cut.empty() && !name.empty()) return false;
    if (slash == npos && name.empty() && !names.empty()) return true;
    names.push_back(cut);
    if (slash == npos) return true;
    begin = slash + 1;
  }
}

bool WithinKeyLimits(const std::vector<std::string>& names) {
  if (names.size() > kMaxKeyNames) return false;
  std::size_t length = names.size() - 1;
  for (const std::string& name : names) length += name.size();
  return length <= kMaxKeyLength;
}

class CPlanLoader {
 public:
  CPlanLoader(const std::string& document, IPlanTree& tree, CFolderMap& folders,
              const PlanLoadSettings& settings, std::vector<std::string>* skippedFolders)
      : m_document(document), m_tree(tree), m_folders(folders), m_settings(settings),
        m_skippedFolders(skippedFolders) {}

  // The plan in memory goes at the first folder element with a usable name, not before.
  void ReadFolders(const std::string& content) {
    bool firstFolder = true;
    std::string folderText;
    std::string openingTag;
    std::vector<std::string> names;
    for (std::size_t from = 0; TakeElement(m_document, content, from, "<desfolder", folderText, &openingTag);) {
      if (!UsableNames(FirstAttribute(openingTag, "<desfolder", "name"), names)) {
        Skipped(openingTag);
        continue;
      }
      if (firstFolder) ClearPlan();
      firstFolder = false;
      if (!ReadFolder(names, folderText)) Skipped(openingTag);
    }
  }

  void ReadExclusions(const std::string& content) {
    std::string name;
    for (std::size_t from = 0; TakeElement(m_document, content, from, "<nocopyfilepath", name);) {
      m_tree.AppendExclusion(name);
    }
  }

 private:
  // The names of the folder's key as the tree will hold them, a dated first name already
  // replaced by today's; false when the key cannot name a folder.
  bool UsableNames(const std::string& key, std::vector<std::string>& names) {
    names.clear();
    if (key.empty() || !SplitKey(key, names)) return false;
    if (m_settings.isDate(names[0])) names[0] = m_settings.dateFolderName;
    return WithinKeyLimits(names);
  }

  void ClearPlan() {
    if (Item top = m_tree.GetTopFolder()) m_tree.DeleteFolderItem(top);
    m_tree.SetTopFolder(nullptr);
    m_tree.ClearSelection();
    m_tree.ShowSourceList(std::string());
    m_tree.DeleteAllExclusions();
    m_childIndex.clear();
  }

  void Skipped(const std::string& openingTag) {
    if (m_skippedFolders) m_skippedFolders->push_back(openingTag);
  }

  // Places the folder in the tree under the top folder and appends its sources; false when
  // the key's first name does not match the top folder and it was skipped.
  bool ReadFolder(const std::vector<std::string>& names, const std::string& folderText) {
    Item item = m_tree.GetTopFolder();
    if (!item) {
      item = m_tree.InsertFolder(nullptr, names[0]);
      m_tree.SetTopFolder(item);
      m_folders.SetEmpty(m_tree.GetItemText(item));
    }
    std::string currentKey = m_tree.GetItemText(item);
    if (!sjis::EqualsNoCaseAscii(names[0], currentKey)) return false;
    for (std::size_t i = 1; i < names.size(); ++i) {
      item = FindOrInsertChild(item, names[i]);
      currentKey += "/" + m_tree.GetItemText(item);
      m_folders.AddIfMissing(currentKey);
    }
    CSourceList& sources = m_folders.GetOrCreate(currentKey);
    std::string source;
    for (std::size_t from = 0; TakeElement(m_document, folderText, from, "<srcfilepath", source);) {
      sources.push_back(source);
    }
    return true;
  }

  // The first child named name without regard to ASCII case, or a new last child.
  Item FindOrInsertChild(Item parent, const std::string& name) {
    std::unordered_map<std::string, Item>& children = ChildrenOf(parent);
    std::string folded = sjis::FoldAsciiCase(name);
    auto found = children.find(folded);
    if (found != children.end()) return found->second;
    Item child = m_tree.InsertFolder(parent, name);
    children.emplace(folded, child);
    return child;
  }

  // The children of parent by their folded texts, the first of equal ones kept; taken
  // from the tree when parent is first met, kept up to date by FindOrInsertChild.
  std::unordered_map<std::string, Item>& ChildrenOf(Item parent) {
    auto found = m_childIndex.find(parent);
    if (found != m_childIndex.end()) return found->second;
    std::unordered_map<std::string, Item>& children = m_childIndex[parent];
    for (Item child = m_tree.GetFirstChild(parent); child; child = m_tree.GetNextSibling(child)) {
      children.emplace(sjis::FoldAsciiCase(m_tree.GetItemText(child)), child);
    }
    return children;
  }

  const std::string& m_document;
  IPlanTree& m_tree;
  CFolderMap& m_folders;
  const PlanLoadSettings& m_settings;
  std::vector<std::string>* m_skippedFolders;  // not owned; may be null
  std::unordered_map<Item, std::unordered_map<std::string, Item>> m_childIndex;
};

}  // namespace

bool ReadTextFile(const std::string& path, std::string& text) {
  text.clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    text += line;
    text += '\n';
  }
  return true;
}

PlanLoadResult LoadPlan(const std::string& path, IPlanTree& tree, CFolderMap& folders,
                        const PlanLoadSettings& settings, std::vector<std::string>* skippedFolders) {
  std::string document;
  if (!ReadTextFile(path, document)) return PlanLoadResult::kUnreadable;
  return LoadPlanText(document, tree, folders, settings, skippedFolders) ? PlanLoadResult::kLoaded
                                                                         : PlanLoadResult::kNoPlan;
}

bool LoadPlanText(const std::string& document, IPlanTree& tree, CFolderMap& folders,
                  const PlanLoadSettings& settings, std::vector<std::string>* skippedFolders) {
  std::string content;
  std::string rootTag;
  if (GetElement(content, &document, nullptr, "<Sheafkeeper", nullptr, nullptr, &rootTag) < 0) {
    return false;
  }
  std::string desRoot = FirstAttribute(rootTag, "<Sheafkeeper", "desrootfolder");
  if (!desRoot.empty()) tree.SetDesRoot(desRoot);
  if (tree.GetDesRoot().empty()) tree.SetDesRoot(settings.workDir);

  CPlanLoader loader(document, tree, folders, settings, skippedFolders);
  loader.ReadFolders(content);
  loader.ReadExclusions(content);
  return true;
}
