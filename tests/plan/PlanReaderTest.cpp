#include "plan/PlanReader.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "PlanFiles.h"
#include "plan/DateName.h"
#include "plan/MemoryPlanTree.h"

namespace {

// A plan as the pane holds it before a load, with a fixed "today".
class PlanLoad : public testing::Test {
 protected:
  PlanLoad() {
    tree.m_selected = tree.AddFolder(tree.AddFolder(nullptr, "2006-05-01"), "old");
    folders.GetOrCreate("2006-05-01/old") = {"C:\\gone"};
    tree.m_desRoot = "D:\\before\\";
    tree.m_exclusions = {"before.tmp"};
  }

  void Load(const std::string& body, const std::string& rootTag = "<Sheafkeeper>") {
    EXPECT_TRUE(LoadPlanText(rootTag + "\n" + body + "</Sheafkeeper>\n", tree, folders, settings));
  }

  // The source list of key: its paths joined by "|", "(null)" when there is none,
  // "(missing)" when the key is not in the folder map.
  std::string Sources(const std::string& key) const {
    if (!folders.Contains(key)) return "(missing)";
    const CSourceList* list = folders.Find(key);
    if (!list) return "(null)";
    std::string joined;
    for (const std::string& path : *list) joined += (&path == &list->front() ? "" : "|") + path;
    return joined;
  }

  CFolderMap folders;
  CMemoryPlanTree tree{folders};
  PlanLoadSettings settings{"C:\\work\\", "2030-01-02", IsIsoDateName};
};

TEST_F(PlanLoad, DatedFirstNamesBecomeTodayAndShareOneTopFolder) {
  Load("<desfolder name=\"2006-05-01/docs\"><srcfilepath>C:\\d</srcfilepath></desfolder>\n"
       "<desfolder name=\"1999-12-31/pics/raw\"/>\n"
       "<desfolder name=\"2006-05-01\"></desfolder>\n");
  EXPECT_EQ(tree.Outline(), "2030-01-02[docs,pics[raw]]");
  EXPECT_EQ(Sources("2030-01-02/docs"), "C:\\d");
  EXPECT_EQ(Sources("2030-01-02/pics"), "(null)");  // an intermediate folder
  EXPECT_EQ(Sources("2030-01-02/pics/raw"), "");    // an empty-element tag: a list, empty
  EXPECT_EQ(Sources("2030-01-02"), "");
  EXPECT_EQ(Sources("2006-05-01/old"), "(missing)");
  EXPECT_EQ(tree.m_exclusions, std::vector<std::string>{});
  EXPECT_EQ(tree.m_selected, nullptr);
  EXPECT_EQ(tree.m_shownKey, "");
  EXPECT_TRUE(tree.MatchesFolderMap());
}

TEST_F(PlanLoad, NamesMatchWithoutAsciiCaseAndTheFirstSpellingWins) {
  Load("<desfolder name=\"Home/Docs\"><srcfilepath>1</srcfilepath></desfolder>\n"
       "<desfolder name=\"HOME/docs/Old/\"></desfolder>\n"
       "<desfolder name=\"home/DOCS\"><srcfilepath>2</srcfilepath></desfolder>\n"
       "<desfolder name=\"Elsewhere/x\"><srcfilepath>3</srcfilepath></desfolder>\n"
       "<desfolder name=\"2006-05-01/y\"><srcfilepath>4</srcfilepath></desfolder>\n"
       "<desfolder name=\"home/\x83\x5C/\x83\x7C\"></desfolder>\n"
       "<desfolder name=\"home/\x83\x7C\"></desfolder>\n"
       "<desfolder name=\"home/\x83\x41\"></desfolder>\n"    // ア and ヂ differ in a second byte
       "<desfolder name=\"home/\x83\x61\"></desfolder>\n");  // only: two folders
  EXPECT_EQ(tree.Outline(), "Home[Docs[Old],\x83\x5C[\x83\x7C],\x83\x7C,\x83\x41,\x83\x61]");
  EXPECT_EQ(Sources("Home/Docs"), "1|2");
  EXPECT_TRUE(tree.MatchesFolderMap());
}

// Keys as the tree will hold them, each row loaded over the plan of the fixture: a name
// ends at a NUL byte, never in half a character; a key that cannot name a folder (a name
// empty only by that cut, deeper than 128 names, longer than 1024 bytes) is skipped before
// it could discard the plan in memory.
struct KeyCase {
  std::vector<std::string> keys;
  std::string outline;
};

class PlanKeys : public PlanLoad, public testing::WithParamInterface<KeyCase> {};

std::string Repeated(const std::string& part, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += part;
  return text;
}

TEST_P(PlanKeys, ReadAsTheTreeHoldsThem) {
  std::string body;
  for (const std::string& key : GetParam().keys) body += "<desfolder name=\"" + key + "\"/>\n";
  Load(body);
  EXPECT_EQ(tree.Outline(), GetParam().outline);
  EXPECT_TRUE(tree.MatchesFolderMap());
  tree.DeleteFolderItem(tree.GetTopFolder());
  EXPECT_EQ(folders.Count(), 0u);
}

using namespace std::string_literals;
const std::string kLongName(1020, 'n');
INSTANTIATE_TEST_SUITE_P(
    Shapes, PlanKeys,
    testing::Values(KeyCase{{"top\0x/a\0b"s, "top/a\0c"s}, "top[a]"},
                    KeyCase{{"top/a\x83\0b"s, "top/\x83\x5C\0"s}, "top[a,\x83\x5C]"},
                    KeyCase{{"\0top/a"s, "top/\x83\0"s, "top/b/\0/c"s}, "2006-05-01[old]"},
                    KeyCase{{"\0top"s, "top/b"}, "top[b]"},
                    KeyCase{{"top/a/", "top//b//"}, "top[a,[b[]]]"},
                    KeyCase{{"top" + Repeated("/a", 127)}, "top" + Repeated("[a", 127) + Repeated("]", 127)},
                    KeyCase{{"top" + Repeated("/a", 128), "top" + Repeated("/a", 129)}, "2006-05-01[old]"},
                    KeyCase{{"top/" + kLongName, "top/" + kLongName + "/x"}, "top[" + kLongName + "]"},
                    KeyCase{{"top/" + kLongName + "n"}, "2006-05-01[old]"}));

// A plan read back after it was written holds what it held; an empty last name follows
// the file's rules, written as its parent's key, and its sources stay in the plan there.
TEST_F(PlanLoad, PlansReadBackAsTheyWereWritten) {
  Load("<desfolder name=\"\0x\"><srcfilepath>lost</srcfilepath></desfolder>\n"
       "<desfolder name=\"top/a\x83\0b/c\"><srcfilepath>1</srcfilepath></desfolder>\n"
       "<desfolder name=\"top/d//\"><srcfilepath>2</srcfilepath></desfolder>\n"s);
  EXPECT_EQ(tree.Outline(), "top[a[c],d[]]");

  CFolderMap loadedFolders;
  CMemoryPlanTree loaded(loadedFolders);
  loaded.AddFolder(nullptr, "2030-01-02");
  EXPECT_TRUE(LoadPlanText(FormatPlan(tree.m_desRoot, folders, tree.m_exclusions), loaded, loadedFolders, settings));
  EXPECT_EQ(loadedFolders.Count(), 4u);  // top, top/a, top/a/c, top/d
  EXPECT_EQ(*loadedFolders.Find("top/a/c"), CSourceList{"1"});
  EXPECT_EQ(*loadedFolders.Find("top/d"), CSourceList{"2"});
}

TEST_F(PlanLoad, AttributesCountOnlyWhenFirstAndWrittenExactly) {
  Load("<desfolder id=\"1\" name=\"a\"></desfolder>\n"
       "<desfolder name = \"b\"></desfolder>\n"
       "<desfolder name='c'></desfolder>\n"
       "<desfolder name=\"\"></desfolder>\n"
       "<desfolder name=\"d></desfolder>\n",
       "<Sheafkeeper desrootfolder =\"E:\\\">");
  EXPECT_EQ(tree.Outline(), "2006-05-01[old]");
  EXPECT_EQ(tree.m_desRoot, "D:\\before\\");

  Load("<desfolder \n name=\"e\"></desfolder>", "<Sheafkeeper\tdesrootfolder=\" E:\\ \" >");
  EXPECT_EQ(tree.Outline(), "e");
  EXPECT_EQ(tree.m_desRoot, " E:\\ ");
}

TEST_F(PlanLoad, PathsAreKeptAsWrittenEmptyOnesAsClearedEntries) {
  Load("<desfolder name=\"t\">"
       "<srcfilepath> C:\\a b\t</srcfilepath><srcfilepath></srcfilepath>"
       "<srcfilepath>C:\\a&amp;b</srcfilepath><srcfilepath> C:\\a b\t</srcfilepath>"
       "</desfolder>");
  EXPECT_EQ(Sources("t"), " C:\\a b\t||C:\\a&amp;b| C:\\a b\t");
}

TEST_F(PlanLoad, AFileWithoutFoldersLeavesTheTreeAndAddsItsExclusions) {
  Load("<nocopyfilepath>*.bak</nocopyfilepath>\n<desfolder></desfolder>\n"
       "<nocopyfilepath></nocopyfilepath>\n");
  EXPECT_EQ(tree.Outline(), "2006-05-01[old]");
  EXPECT_EQ(Sources("2006-05-01/old"), "C:\\gone");
  EXPECT_EQ(tree.m_exclusions, (std::vector<std::string>{"before.tmp", "*.bak", ""}));
  EXPECT_NE(tree.m_selected, nullptr);
  EXPECT_EQ(tree.m_desRoot, "D:\\before\\");

  tree.m_desRoot.clear();
  Load("", "<Sheafkeeper desrootfolder=\"\">");
  EXPECT_EQ(tree.m_desRoot, "C:\\work\\");
}

TEST_F(PlanLoad, MissingClosingTagsStopTheReadingButNotTheExclusions) {
  EXPECT_FALSE(LoadPlanText("<Sheafkeeper desrootfolder=\"E:\\\">\n<desfolder name=\"t\"></desfolder>\n",
                           tree, folders, settings));
  EXPECT_EQ(tree.Outline(), "2006-05-01[old]");
  EXPECT_EQ(tree.m_desRoot, "D:\\before\\");

  // Exclusions are read from the whole root content, inside folders too.
  Load("<desfolder name=\"a\"><srcfilepath>1</srcfilepath><srcfilepath>2</desfolder>\n"
       "<desfolder name=\"a/b\"><nocopyfilepath>x</nocopyfilepath><srcfilepath>3</srcfilepath>\n"
       "<nocopyfilepath>y</nocopyfilepath>\n");
  EXPECT_EQ(tree.Outline(), "a");
  EXPECT_EQ(Sources("a"), "1");
  EXPECT_EQ(tree.m_exclusions, (std::vector<std::string>{"x", "y"}));
}

TEST_F(PlanLoad, ASavedPlanComesBackTheSameDayInWalkOrder) {
  IPlanTree::Item top = tree.GetTopFolder();
  tree.DeleteFolderItem(tree.GetFirstChild(top));
  tree.AddFolder(top, "\x83\x5C");
  tree.AddFolder(tree.AddFolder(top, "b"), "x");
  tree.AddFolder(top, "a&c");
  folders.GetOrCreate("2006-05-01/a&c") = {"C:\\1&2", "", "C:\\\x83\x5C\\3"};
  folders.GetOrCreate("2006-05-01/b/x") = {"", "4"};
  tree.m_exclusions = {"a&b", "Thumbs.db"};
  const std::string desRoot = "C:\\R&D\\";
  CTempFolder folder;
  ASSERT_TRUE(SavePlan(folder / "plan.xml", desRoot, folders, tree.m_exclusions, kSaveOps));

  CFolderMap loadedFolders;
  CMemoryPlanTree loaded(loadedFolders);
  loaded.AddFolder(nullptr, "2030-01-02");
  settings.dateFolderName = "2006-05-01";
  EXPECT_EQ(LoadPlan(folder / "missing.xml", loaded, loadedFolders, settings), PlanLoadResult::kUnreadable);
  EXPECT_EQ(loaded.Outline(), "2030-01-02");
  EXPECT_EQ(LoadPlan(folder / "plan.xml", loaded, loadedFolders, settings), PlanLoadResult::kLoaded);
  EXPECT_EQ(loaded.m_desRoot, desRoot);
  EXPECT_EQ(loaded.Outline(), "2006-05-01[a&c,b[x],\x83\x5C]");  // buckets 3, 5, 10
  EXPECT_EQ(loaded.m_exclusions, tree.m_exclusions);
  for (const CFolderMap::Entry& entry : folders.Walk()) {
    CSourceList kept;
    if (entry.sources) std::copy_if(entry.sources->begin(), entry.sources->end(),
                                    std::back_inserter(kept), [](auto& p) { return !p.empty(); });
    EXPECT_EQ(loadedFolders.GetOrCreate(entry.key), kept) << entry.key;
  }
  EXPECT_EQ(loadedFolders.Count(), folders.Count());
}

TEST(ReadTextFile, EndsEveryLineWithOneLineFeed) {
  CTempFolder folder;
  std::string text = "-";
  EXPECT_FALSE(ReadTextFile(folder / "missing.xml", text));
  EXPECT_EQ(text, "");
  WriteBytes(folder / "plan.xml", "a\r\nb\nc\rd\r\n\r\ne");
  EXPECT_TRUE(ReadTextFile(folder / "plan.xml", text));
  EXPECT_EQ(text, "a\nb\nc\rd\n\ne\n");
}

TEST(DateName, TodayIsADateAndOnlyRealDatesAfterDayZeroAre) {
  EXPECT_TRUE(IsIsoDateName(DateFolderName()));
  for (const char* date : {"2004-02-29", "2000-02-29", "1899-12-31"}) {
    EXPECT_TRUE(IsIsoDateName(date)) << date;
  }
  for (const char* name : {"1900-02-29", "2006-04-31", "2006-13-01", "2006-00-10", "1899-12-30",
                           "2006-5-1", "2006/05/01", "2006-05-01 ", "+006-05-01", "docs"}) {
    EXPECT_FALSE(IsIsoDateName(name)) << name;
  }
}

}  // namespace
