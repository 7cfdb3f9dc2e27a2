#include "plan/FolderMap.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> WalkKeys(const CFolderMap& map) {
  std::vector<std::string> keys;
  for (const CFolderMap::Entry& entry : map.Walk()) keys.push_back(entry.key);
  return keys;
}

TEST(FolderMapWalk, FollowsBucketsNotTheTree) {
  CFolderMap map;
  map.SetEmpty("2006-05-01");
  map.SetEmpty("2006-05-01/docs");
  map.SetEmpty("2006-05-01/docs/old");
  EXPECT_EQ(CFolderMap::BucketOf("2006-05-01"), 1u);
  EXPECT_EQ(CFolderMap::BucketOf("2006-05-01/docs"), 6u);
  EXPECT_EQ(CFolderMap::BucketOf("2006-05-01/docs/old"), 0u);
  EXPECT_EQ(WalkKeys(map),
            (std::vector<std::string>{"2006-05-01/docs/old", "2006-05-01", "2006-05-01/docs"}));
}

TEST(FolderMapWalk, HashesBytesAsSignedValues) {
  // "\x83\x5C" (katakana so): signed, (-125) * 33 + 92 = -4033, which wraps to
  // 4294963263, bucket 14. Read unsigned it would be 131 * 33 + 92 = 4415, bucket 12.
  EXPECT_EQ(CFolderMap::BucketOf("\x83\x5C"), 14u);
  // "\x8A\x9E" (two lead bytes): signed gives bucket 4, unsigned would give 3.
  EXPECT_EQ(CFolderMap::BucketOf("\x8A\x9E"), 4u);

  EXPECT_EQ(CFolderMap::BucketOf(""), 0u);
}

TEST(FolderMapWalk, NewestKeyOfABucketComesFirstAndReinsertionMovesToTheHead) {
  // "a" (97), "r" (114) and "P" (80) share bucket 12.
  ASSERT_EQ(CFolderMap::BucketOf("a"), 12u);
  ASSERT_EQ(CFolderMap::BucketOf("r"), 12u);
  ASSERT_EQ(CFolderMap::BucketOf("P"), 12u);
  CFolderMap map;
  map.SetEmpty("a");
  map.SetEmpty("r");
  map.SetEmpty("P");
  EXPECT_EQ(WalkKeys(map), (std::vector<std::string>{"P", "r", "a"}));

  map.GetOrCreate("a").push_back("x");  // assigning keeps the place
  map.SetEmpty("r");
  EXPECT_EQ(WalkKeys(map), (std::vector<std::string>{"P", "r", "a"}));

  map.Remove("a");
  map.AddIfMissing("a");  // removed and added again: head of the chain
  EXPECT_EQ(WalkKeys(map), (std::vector<std::string>{"a", "P", "r"}));
}

TEST(FolderMapSources, GetOrCreateOnMissingKeyAndOnNullValue) {
  CFolderMap map;
  EXPECT_EQ(map.Find("top"), nullptr);
  map.GetOrCreate("new").push_back("C:\\a");
  ASSERT_NE(map.Find("new"), nullptr);
  EXPECT_EQ(*map.Find("new"), CSourceList{"C:\\a"});

  map.SetEmpty("top");
  EXPECT_TRUE(map.Contains("top"));
  EXPECT_EQ(map.Find("top"), nullptr);
  CSourceList& list = map.GetOrCreate("top");
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(map.Find("top"), &list);
  EXPECT_EQ(&map.GetOrCreate("top"), &list);  // an existing list is returned, not replaced
}

TEST(FolderMapSources, SetEmptyDropsAnExistingListAndAddIfMissingKeepsIt) {
  CFolderMap map;
  map.GetOrCreate("k").push_back("C:\\a");
  map.AddIfMissing("k");
  ASSERT_NE(map.Find("k"), nullptr);
  map.SetEmpty("k");
  EXPECT_TRUE(map.Contains("k"));
  EXPECT_EQ(map.Find("k"), nullptr);
}

TEST(FolderMapSources, ClearedEntryKeepsLaterPositions) {
  CFolderMap map;
  CSourceList& list = map.GetOrCreate("top");
  list = {"C:\\a", "C:\\b", "C:\\c"};
  list[1].clear();
  EXPECT_EQ(*map.Find("top"), (CSourceList{"C:\\a", "", "C:\\c"}));
}

TEST(FolderMapRekey, MovesTheKeyAndItsDescendantsButNotASiblingWithTheSamePrefix) {
  CFolderMap map;
  map.GetOrCreate("top/a").push_back("A");
  map.GetOrCreate("top/a/x").push_back("AX");
  map.GetOrCreate("top/ab").push_back("AB");
  map.GetOrCreate("top/ab/y").push_back("ABY");
  map.SetEmpty("top");

  map.Rekey("top/a", "top/b");

  EXPECT_FALSE(map.Contains("top/a"));
  EXPECT_FALSE(map.Contains("top/a/x"));
  EXPECT_EQ(*map.Find("top/b"), CSourceList{"A"});
  EXPECT_EQ(*map.Find("top/b/x"), CSourceList{"AX"});
  EXPECT_EQ(*map.Find("top/ab"), CSourceList{"AB"});
  EXPECT_EQ(*map.Find("top/ab/y"), CSourceList{"ABY"});
  EXPECT_EQ(map.Find("top"), nullptr);
  EXPECT_EQ(map.Count(), 5u);
}

TEST(FolderMapRekey, TopFolderRenameMovesEveryKey) {
  CFolderMap map;
  map.SetEmpty("2006-05-01");
  map.GetOrCreate("2006-05-01/docs").push_back("D");
  map.Rekey("2006-05-01", "backup");
  EXPECT_EQ(map.Count(), 2u);
  EXPECT_TRUE(map.Contains("backup"));
  EXPECT_EQ(*map.Find("backup/docs"), CSourceList{"D"});
}

TEST(FolderMapRekey, ReinsertedKeysGoToTheHeadOfTheirChain) {
  // Renaming a key to itself takes it out and puts it back at the head.
  ASSERT_EQ(CFolderMap::BucketOf("a"), CFolderMap::BucketOf("r"));
  CFolderMap map;
  map.SetEmpty("a");
  map.SetEmpty("r");
  map.Rekey("a", "a");
  EXPECT_EQ(WalkKeys(map), (std::vector<std::string>{"a", "r"}));
}

TEST(FolderMapRelease, RemoveAndRemoveAllDestroyEverything) {
  CFolderMap map;
  map.GetOrCreate("x").push_back("1");
  map.SetEmpty("y");
  EXPECT_TRUE(map.Remove("x"));
  EXPECT_FALSE(map.Remove("x"));
  map.RemoveAll();
  EXPECT_EQ(map.Count(), 0u);
  EXPECT_TRUE(map.Walk().empty());
}

}  // namespace
