#include "plan/PlanReader.h"

#include <fstream>

#include "plan/ShiftJis.h"
#include "plan/TagScanner.h"

namespace {

constexpr std::size_t npos = std::string::npos;
using Item = IPlanTree::Item;

// Takes the next element named by tagPrefix out of rest: gives its content (and opening
// tag) and drops rest up to the element's last byte. False when there is none.
bool TakeElement(const std::string& document, std::string& rest, const std::string& tagPrefix,
                 std::string& content, std::string* openingTag = nullptr) {
  std::size_t end = 0;
  if (GetElement(content, &document, &rest, tagPrefix, nullptr, &end, openingTag) < 0) {
    return false;
  }
  rest.erase(0, end + 1);
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

// Removes the first name of a key, up to its first "/", from path and returns it, cut at
// its first NUL byte as a tree item's text would be.
std::string TakeName(std::string& path) {
  std::size_t slash = sjis::FindChar(path, '/');
  std::string name = path.substr(0, slash);
  path = slash == npos ? std::string() : path.substr(slash + 1);
  return name.substr(0, name.find('\0'));
}

class CPlanLoader {
 public:
  CPlanLoader(const std::string& document, IPlanTree& tree, CFolderMap& folders,
              const PlanLoadSettings& settings, std::vector<std::string>* skippedFolders)
      : m_document(document), m_tree(tree), m_folders(folders), m_settings(settings),
        m_skippedFolders(skippedFolders) {}

  // The plan in memory goes at the first folder element with a usable name, not before.
  void ReadFolders(std::string rest) {
    bool firstFolder = true;
    std::string folderText;
    std::string openingTag;
    while (TakeElement(m_document, rest, "<desfolder", folderText, &openingTag)) {
      std::string key = FirstAttribute(openingTag, "<desfolder", "name");
      if (key.empty()) {
        Skipped(openingTag);
        continue;
      }
      if (firstFolder) ClearPlan();
      firstFolder = false;
      if (!ReadFolder(key, folderText)) Skipped(openingTag);
    }
  }

  void ReadExclusions(std::string rest) {
    std::string name;
    while (TakeElement(m_document, rest, "<nocopyfilepath", name)) m_tree.AppendExclusion(name);
  }

 private:
  void ClearPlan() {
    if (Item top = m_tree.GetTopFolder()) m_tree.DeleteFolderItem(top);
    m_tree.SetTopFolder(nullptr);
    m_tree.ClearSelection();
    m_tree.ShowSourceList(std::string());
    m_tree.DeleteAllExclusions();
  }

  void Skipped(const std::string& openingTag) {
    if (m_skippedFolders) m_skippedFolders->push_back(openingTag);
  }

  // Places the folder of key in the tree under the top folder and appends its sources;
  // false when the key's first name does not match the top folder and it was skipped.
  bool ReadFolder(const std::string& key, std::string folderText) {
    std::string path = key;
    std::string firstName = TakeName(path);
    if (m_settings.isDate(firstName)) firstName = m_settings.dateFolderName;
    Item item = m_tree.GetTopFolder();
    if (!item) {
      item = m_tree.InsertFolder(nullptr, firstName);
      m_tree.SetTopFolder(item);
      m_folders.SetEmpty(m_tree.GetItemText(item));
    }
    std::string currentKey = m_tree.GetItemText(item);
    if (!sjis::EqualsNoCaseAscii(firstName, currentKey)) return false;
    while (!path.empty()) {
      item = FindOrInsertChild(item, TakeName(path));
      currentKey += "/" + m_tree.GetItemText(item);
      m_folders.AddIfMissing(currentKey);
    }
    CSourceList& sources = m_folders.GetOrCreate(currentKey);
    std::string source;
    while (TakeElement(m_document, folderText, "<srcfilepath", source)) sources.push_back(source);
    return true;
  }

  // The first child named name without regard to ASCII case, or a new last child.
  Item FindOrInsertChild(Item parent, const std::string& name) {
    for (Item child = m_tree.GetFirstChild(parent); child; child = m_tree.GetNextSibling(child)) {
      if (sjis::EqualsNoCaseAscii(m_tree.GetItemText(child), name)) return child;
    }
    return m_tree.InsertFolder(parent, name);
  }

  const std::string& m_document;
  IPlanTree& m_tree;
  CFolderMap& m_folders;
  const PlanLoadSettings& m_settings;
  std::vector<std::string>* m_skippedFolders;  // not owned; may be null
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
