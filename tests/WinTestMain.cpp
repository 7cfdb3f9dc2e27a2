// Entry point of the Windows test programs: the common controls are registered once,
// as the program does at start-up, before any test creates a dialog.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  InitCommonControls();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
