// Both panes hosted by a small test dialog.
#include <gtest/gtest.h>

#include "MainDialogFixture.h"
#include "PaneHostDialog.h"
#include "ui/DesFolderSetting.h"
#include "ui/SrcFolderSetting.h"

namespace {

// A pane that is never resized after its creation gets no WM_SIZE of its own: its layout
// starts from the window.
TEST(Panes, LayOutFromTheirWindowWithoutAnyWmSize) {
  CPaneHostDialog host;
  CDesFolderSetting des(host, host.GetSafeHwnd());
  host.Host(des);
  CSrcFolderSetting src(host, host.GetSafeHwnd());
  host.Host(src);
  const int desWidth = RectWidth(des.GetClientRect());
  EXPECT_EQ(RectWidth(ChildRect(Tree(des))), desWidth - 15);
  EXPECT_EQ(RectHeight(ChildRect(Tree(des))), RectHeight(des.GetClientRect()) - 40);
  EXPECT_EQ(RectWidth(ChildRect(SourceRows(src))), RectWidth(src.GetClientRect()) - 10);
  EXPECT_EQ(host.layouts, 0);
}

}  // namespace
