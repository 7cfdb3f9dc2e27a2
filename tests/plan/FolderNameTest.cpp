#include "plan/FolderName.h"

#include <gtest/gtest.h>

namespace {

TEST(FolderName, OnlyNamesWindowsCanCreateAreCreatable) {
  const struct {
    std::string name;
    bool creatable;
  } cases[] = {
      {"", false}, {".", false}, {"..", false}, {"a.", false}, {"a ", false}, {" a.b", true},
      {"a\tb", false}, {std::string("a\0b", 3), false}, {"a\x7F", true},
      {"CON", false}, {"con", false}, {"Aux", false}, {"nul.txt", false}, {"com1.txt", false},
      {"LPT9", false}, {"prn.a.b", false}, {"COM0", true}, {"COM10", true}, {"CONSOLE", true},
      {"xcon", true}, {"lpt", true},
      {"x\\y", false}, {"x/y", false}, {"x:y", false}, {"x*y", false}, {"x?y", false},
      {"x\"y", false}, {"x<y", false}, {"x>y", false}, {"x|y", false},
      {"\x83\x5C", true},              // so: its second byte is the code of the backslash
      {"\x83\x5C\x95\x5C\x94\x5C", true},  // so, hyo, no: a name ending in 0x5C
      {"\x83\x7C", true},
      {std::string(255, 'a'), true}, {std::string(256, 'a'), false},
      {std::string(254, 'a') + "\x83\x5C", false},  // 256 bytes in 255 characters
  };
  for (const auto& c : cases) EXPECT_EQ(IsCreatableFolderName(c.name), c.creatable) << c.name;
}

}  // namespace
