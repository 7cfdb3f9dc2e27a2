#include "plan/FolderName.h"

#include <gtest/gtest.h>

namespace {

TEST(FolderName, OnlyNamesWindowsCanCreateAreCreatable) {
  // The end of a name edit shows the common cases; these are the edges.
  const struct {
    std::string name;
    bool creatable;
  } cases[] = {
      {"a\tb", false}, {std::string("a\0b", 3), false}, {"nul.txt", false}, {"Lpt9", false}, {"COM0", true},
      {"COM10", true}, {"CONSOLE", true}, {"xcon", true}, {"a.b.", false}, {" a.b", true},
      {std::string(255, 'a'), true}, {std::string(254, 'a') + "\x83\x5C", false},  // 256 bytes
      {"\x83\x5C\x95\x5C\x94\x5C", true},  // a name ending in 0x5C
  };
  for (const auto& c : cases) EXPECT_EQ(IsCreatableFolderName(c.name), c.creatable) << c.name;
}

}  // namespace
