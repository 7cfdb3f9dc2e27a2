// The source list pane: shell drops, the Delete key, the folder display and the grip,
// in the real main dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <ostream>
#include <string>
#include <vector>

#include "KeyPress.h"
#include "MainDialogFixture.h"
#include "MemoryCanvas.h"
#include "framework/MessagePump.h"
#include "res/resource.h"
#include "ui/MainLayout.h"
#include "ui/SrcFolderSetting.h"

namespace {

const char kKey[] = "2006-05-01/docs";
const int kFolder = 0;
const int kFile = 1;
const int kMissing = 2;

struct Row {
  std::string text;
  int image;
  LPARAM position;
};
bool operator==(const Row& a, const Row& b) {
  return a.text == b.text && a.image == b.image && a.position == b.position;
}
std::ostream& operator<<(std::ostream& out, const Row& row) {
  return out << "{" << row.text << ", image " << row.image << ", position " << row.position << "}";
}

// A drop handle as the shell builds it: a DROPFILES header with the drop point in the
// client area, then the ANSI paths, each ending in a zero byte, and one more zero byte.
HDROP MakeDrop(const std::vector<std::string>& paths, POINT point) {
  std::string names;
  for (const std::string& path : paths) names += path + '\0';
  names += '\0';
  HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
  DROPFILES* header = static_cast<DROPFILES*>(::GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->pt = point;
  header->fWide = FALSE;
  memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), names.size());
  ::GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

class SourcePaneTest : public MainDialogTest {
 protected:
  void SetUp() override {
    MainDialogTest::SetUp();
    m_main = &Open();
    m_pane = &SrcPane(*m_main);
    m_list = SourceRows(*m_pane);
    m_src = m_folder.Path() + "\\src";
    testfs::MakeFolder(m_src);
    testfs::MakeFolder(m_src + "\\Photos");
    testfs::MakeFolder(m_src + "\\sub");
    testfs::WriteFile(m_src + "\\Report.TXT", "r");
    testfs::WriteFile(m_src + "\\b.txt", "b");
    testfs::WriteFile(m_src + "\\c.txt", "c");
    testfs::WriteFile(m_src + "\\sub\\d.txt", "d");
  }

  // Shows kKey, added to the folder map with the given source list (none when null).
  void ShowFolder(const CSourceList* sources = nullptr) {
    m_main->GetFolderMap().AddIfMissing(kKey);
    if (sources) m_main->GetFolderMap().GetOrCreate(kKey) = *sources;
    m_main->ShowSourceList(kKey);
  }

  // Posts a drop at point to the pane and runs the message loop. The system posts every
  // drop inside the pane there, over its controls too: the pane is the nearest window
  // that accepts files.
  void Drop(const std::vector<std::string>& paths, POINT point = POINT{2, 2}) {
    ::PostMessageA(m_pane->GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths, point)), 0);
    PumpWaitingMessages();
  }

  // Selects exactly the given rows through the list's own state change.
  void Select(const std::vector<int>& rows) {
    m_list.SetItemState(-1, 0, LVIS_SELECTED);
    for (int row : rows) m_list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
  }
  // A key pressed in the list, through the message loop.
  void PressKey(WPARAM key) {
    PostKeyPress(m_list.GetSafeHwnd(), key);
    PumpWaitingMessages();
  }

  std::vector<Row> Rows() const {
    std::vector<Row> rows;
    for (int i = 0; i < m_list.GetItemCount(); ++i) {
      rows.push_back(Row{m_list.GetItemText(i, 0), m_list.GetItemImage(i), m_list.GetItemData(i)});
    }
    return rows;
  }
  const CSourceList* Sources() const { return m_main->GetFolderMap().Find(kKey); }
  std::string ShownFolder() const { return SourceFolder(*m_pane).GetWindowText(); }

  CSheafkeeperDlg* m_main = nullptr;
  CSrcFolderSetting* m_pane = nullptr;
  CListCtrl m_list;
  std::string m_src;
};

TEST_F(SourcePaneTest, ShowsEachSourceByItsNameOnDiskAndAMissingOneByItsStoredPath) {
  const CSourceList sources = {m_src + "\\REPORT.txt", "", m_src + "\\gone.txt", m_src + "\\photos",
                               m_src + "\\*.txt"};
  ShowFolder(&sources);
  EXPECT_EQ(m_pane->GetShownKey(), kKey);
  EXPECT_EQ(Rows(), (std::vector<Row>{{"Report.TXT", kFile, 0},
                                      {m_src + "\\gone.txt", kMissing, 2},
                                      {"Photos", kFolder, 3},
                                      {m_src + "\\*.txt", kMissing, 4}}));
  EXPECT_EQ(*Sources(), sources);  // showing changes nothing

  m_main->ShowSourceList("not/a/folder");
  EXPECT_EQ(m_pane->GetShownKey(), "");
  EXPECT_TRUE(Rows().empty());

  m_main->GetFolderMap().SetEmpty(kKey);
  m_main->ShowSourceList(kKey);
  EXPECT_EQ(m_pane->GetShownKey(), kKey);
  EXPECT_TRUE(Rows().empty());
}

TEST_F(SourcePaneTest, DropsAddEachPathOnceWhateverItsLetterCaseAndCreateTheSourceList) {
  ShowFolder();
  ASSERT_EQ(Sources(), nullptr);
  Drop({m_src + "\\REPORT.txt", m_src + "\\Photos", m_src + "\\report.TXT"});
  ASSERT_NE(Sources(), nullptr);
  EXPECT_EQ(*Sources(), (CSourceList{m_src + "\\REPORT.txt", m_src + "\\Photos"}));

  // Over the list: known paths in any case are skipped, the new one is added.
  RECT list = ChildRect(m_list);
  Drop({m_src + "\\b.txt", m_src + "\\Report.TXT", m_src + "\\PHOTOS"}, POINT{list.left + 20, list.top + 20});
  EXPECT_EQ(*Sources(), (CSourceList{m_src + "\\REPORT.txt", m_src + "\\Photos", m_src + "\\b.txt"}));
  EXPECT_EQ(Rows(), (std::vector<Row>{{"Report.TXT", kFile, 0}, {"Photos", kFolder, 1}, {"b.txt", kFile, 2}}));
}

TEST_F(SourcePaneTest, ADeletedSourceDroppedAgainGetsANewPositionAtTheEnd) {
  const CSourceList sources = {m_src + "\\b.txt", m_src + "\\c.txt"};
  ShowFolder(&sources);
  Select({0});
  PressKey(VK_DELETE);
  Drop({m_src + "\\B.TXT"});
  EXPECT_EQ(*Sources(), (CSourceList{"", m_src + "\\c.txt", m_src + "\\B.TXT"}));
  EXPECT_EQ(Rows(), (std::vector<Row>{{"c.txt", kFile, 1}, {"b.txt", kFile, 2}}));
}

TEST_F(SourcePaneTest, DropsAreRefusedWithoutAShownFolderAndWhileACopyRunIsBusy) {
  m_main->GetFolderMap().AddIfMissing(kKey);
  Drop({m_src + "\\b.txt"});
  m_main->ShowSourceList("not/a/folder");
  Drop({m_src + "\\b.txt"});
  EXPECT_EQ(Sources(), nullptr);
  EXPECT_TRUE(Rows().empty());

  ShowFolder();
  m_main->GetCopyRunView().BeginCopyMode();
  Drop({m_src + "\\b.txt"});
  EXPECT_EQ(Sources(), nullptr);
  EXPECT_TRUE(Rows().empty());
  m_main->GetCopyRunView().EndCopyMode();
  Drop({m_src + "\\b.txt"});
  EXPECT_EQ(Rows().size(), 1u);
}

TEST_F(SourcePaneTest, UnusableDroppedPathsAreSkippedAndTheRestOfTheDropIsAdded) {
  // A file whose path takes 259 bytes, the most the lookup takes.
  std::string longest = m_src + "\\" + std::string(MAX_PATH - 1 - m_src.size() - 1, 'n');
  ASSERT_EQ(longest.size(), static_cast<size_t>(MAX_PATH - 1));
  testfs::WriteFile(longest, "l");
  ShowFolder();
  Drop({m_src + "\\b.txt", "C:\\", longest + "x", m_src + "\\gone.txt", m_src + "\\*.txt", m_src + "\\c.txt"});
  EXPECT_EQ(*Sources(), (CSourceList{m_src + "\\b.txt", m_src + "\\c.txt"}));

  // The 260-byte path above was not cut to the existing 259-byte one; that one fits.
  Drop({longest});
  EXPECT_EQ(Sources()->back(), longest);
  EXPECT_EQ(Rows().size(), 3u);
}

TEST_F(SourcePaneTest, TheFolderBoxShowsWhereTheOneSelectedSourceLives) {
  testfs::MakeFolder(m_src + "\\表");
  testfs::WriteFile(m_src + "\\表\\e.txt", "e");
  const CSourceList sources = {m_src + "\\sub\\d.txt", m_src + "\\Photos", m_src + "\\表\\e.txt",
                               "Z:\\gone\\x.txt"};
  ShowFolder(&sources);
  const struct {
    std::vector<int> selected;
    std::string shown;
  } kCases[] = {
      {{0}, m_src + "\\sub\\"},
      {{1}, m_src + "\\"},
      {{2}, m_src + "\\表\\"},  // its second byte is the code of "\\"
      {{3}, "Z:\\gone\\"},
      {{0, 1}, ""},
      {{}, ""},
  };
  for (const auto& c : kCases) {
    Select(c.selected);
    EXPECT_EQ(ShownFolder(), c.shown) << c.selected.size() << " selected";
  }

  // A click on a row selects it alone.
  Select({0, 1});
  RECT row{LVIR_BOUNDS, 0, 0, 0};
  m_list.SendMessage(LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
  LPARAM point = MAKELPARAM(row.left + 30, (row.top + row.bottom) / 2);
  ::PostMessageA(m_list.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
  ::PostMessageA(m_list.GetSafeHwnd(), WM_LBUTTONUP, 0, point);
  PumpWaitingMessages();
  EXPECT_EQ(m_list.GetSelectedCount(), 1);
  EXPECT_EQ(ShownFolder(), m_src + "\\表\\");
}

TEST_F(SourcePaneTest, DeleteClearsTheSelectedSourcesWhenIdleAndLeavesTheOthersOnTheirPaths) {
  const CSourceList sources = {m_src + "\\b.txt", m_src + "\\gone.txt", "", m_src + "\\c.txt",
                               m_src + "\\sub\\d.txt", m_src + "\\Photos"};
  ShowFolder(&sources);
  Select({0, 1, 3});

  m_main->GetCopyRunView().BeginCopyMode();
  PressKey(VK_DELETE);
  EXPECT_EQ(*Sources(), sources);
  EXPECT_EQ(Rows().size(), 5u);

  m_main->GetCopyRunView().EndCopyMode();
  PressKey(VK_BACK);
  PressKey(VK_DELETE);
  EXPECT_EQ(*Sources(), (CSourceList{"", "", "", m_src + "\\c.txt", "", m_src + "\\Photos"}));
  EXPECT_EQ(Rows(), (std::vector<Row>{{"c.txt", kFile, 3}, {"Photos", kFolder, 5}}));
  Select({0});
  EXPECT_EQ(ShownFolder(), m_src + "\\");
  PressKey(VK_DELETE);
  EXPECT_EQ(*Sources(), (CSourceList{"", "", "", "", "", m_src + "\\Photos"}));
  EXPECT_TRUE(m_main->IsWindow());
  EXPECT_TRUE(m_pane->IsWindow());
}

TEST_F(SourcePaneTest, TheBottomGripOffersSizingUpToTheHostsHeightLessSixtyOne) {
  const int W = RectWidth(m_pane->GetClientRect());
  const int H = RectHeight(m_pane->GetClientRect());
  HWND pane = m_pane->GetSafeHwnd();
  HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
  HCURSOR northSouth = ::LoadCursorA(nullptr, IDC_SIZENS);
  for (int y : {H - 8, H - 7, H - 3, H - 2}) {
    bool onGrip = y >= H - 7 && y < H - 2;
    ::SetCursor(arrow);
    m_pane->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(W / 2, y));
    EXPECT_EQ(::GetCursor(), onGrip ? northSouth : arrow) << y;

    // The sizing command is taken from the queue before it would start the system's loop.
    ::SetCursor(arrow);
    m_pane->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(W / 2, y));
    MSG posted{};
    bool sizing = ::PeekMessageA(&posted, pane, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE) != FALSE;
    EXPECT_EQ(sizing, onGrip) << y;
    EXPECT_EQ(posted.wParam, sizing ? 0xF006u : 0u);
    EXPECT_EQ(::GetCursor(), onGrip ? northSouth : arrow) << y;
  }

  MINMAXINFO limits{};
  limits.ptMaxTrackSize = POINT{1, 1};
  m_pane->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMaxTrackSize.x, 5000);
  EXPECT_EQ(limits.ptMaxTrackSize.y, RectHeight(m_main->GetClientRect()) - kStripHeight);

  // The two grip lines, in a bitmap of our own.
  MemoryCanvas canvas(W, H);
  canvas.EraseWith(m_pane->GetSafeHwnd());
  const COLORREF background = RGB(236, 233, 216);
  const COLORREF line = RGB(172, 168, 153);
  const COLORREF kColumn[] = {background, line, line, background, line, line, background};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(canvas.Pixel(W / 2, H - 7 + i), kColumn[i]) << "y = H - " << 7 - i;
}

TEST_F(SourcePaneTest, ResizingThePaneLaysOutItsControlsAndThenTheMainDialog) {
  m_pane->SetSize(300, 200);
  const int W = RectWidth(m_pane->GetClientRect());
  const int H = RectHeight(m_pane->GetClientRect());
  EXPECT_EQ(H, 200);
  EXPECT_EQ(ChildRect(SourceFolder(*m_pane)).right, W - 5);
  RECT list = ChildRect(m_list);
  EXPECT_EQ(list, (RECT{5, 35, W - 5, H - 10}));
  EXPECT_EQ(m_list.GetColumnWidth(0), W - 15);
  EXPECT_EQ(ChildRect(Exclusions(*m_main)).top, H + 5);
}

}  // namespace
