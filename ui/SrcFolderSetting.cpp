#include "ui/SrcFolderSetting.h"

#include <algorithm>

#include "copy/EntryLookup.h"
#include "plan/PathParts.h"
#include "plan/ShiftJis.h"
#include "res/resource.h"
#include "ui/Colours.h"
#include "ui/MainLayout.h"

namespace {

const int kFolderImage = 0;
const int kFileImage = 1;
const int kMissingImage = 2;

const int kMaxTrackWidth = 5000;

int ImageOf(const WIN32_FIND_DATAA& entry) {
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? kFolderImage : kFileImage;
}

// The full path of dropped item index; false when it needs MAX_PATH bytes or more, so
// that a longer path is never taken for the shorter one it would be cut to.
bool GetDroppedPath(HDROP drop, UINT index, std::string& path) {
  if (::DragQueryFileA(drop, index, nullptr, 0) >= MAX_PATH) return false;
  char buffer[MAX_PATH] = "";
  ::DragQueryFileA(drop, index, buffer, MAX_PATH);
  path = buffer;
  return true;
}

// True when sources hold path, cleared entries included, ignoring the case of ASCII letters.
bool IsListed(const CSourceList& sources, const std::string& path) {
  return std::any_of(sources.begin(), sources.end(),
                     [&path](const std::string& source) { return sjis::EqualsNoCaseAscii(source, path); });
}

}  // namespace

CSrcFolderSetting::CSrcFolderSetting(IPaneHost& host, HWND parent)
    : CPaneDialog(IDD_SRCFOLDER, host, parent, GripEdge::Bottom) {}

CDialog::MessageTable CSrcFolderSetting::GetMessageTable() const {
  static const MessageEntry kMessages[] = {
      OnMessage(WM_ERASEBKGND, &CSrcFolderSetting::OnEraseBkgnd),
      OnMessage(WM_DROPFILES, &CSrcFolderSetting::OnDropFiles),
      OnMessage(WM_GETMINMAXINFO, &CSrcFolderSetting::OnGetMinMaxInfo),
      OnNotify<&CSrcFolderSetting::OnSourceItemChanged>(IDC_SRCLIST, LVN_ITEMCHANGED),
      OnNotify<&CSrcFolderSetting::OnSourceKeyDown>(IDC_SRCLIST, LVN_KEYDOWN),
  };
  return MakeMessageTable(kMessages, &PaneMessageTable());
}

void CSrcFolderSetting::DoDataExchange(CDataExchange& dx) {
  DDX_Control(dx, IDC_SRCFOLDER, m_editFolder);
  DDX_Control(dx, IDC_SRCLIST, m_listSrc);
}

BOOL CSrcFolderSetting::OnInitDialog() {
  CPaneDialog::OnInitDialog();
  m_imageList.CreateFromBitmaps({IDB_FOLDER_CLOSED, IDB_BLANK, IDB_MISSING});
  m_listSrc.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  m_listSrc.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_imageList.GetSafeHandle()));
  m_listSrc.InsertColumn(0, std::string(), LVCFMT_LEFT);
  LayOutControls();
  return TRUE;
}

void CSrcFolderSetting::ShowSourceList(const std::string& key) {
  m_strCurKey.clear();
  m_editFolder.SetWindowText(std::string());
  m_listSrc.DeleteAllItems();
  if (!m_pMainDlg->GetFolderMap().Contains(key)) return;
  m_strCurKey = key;
  const CSourceList* sources = GetShownSourceList();
  if (!sources) return;
  for (std::size_t position = 0; position < sources->size(); ++position) {
    const std::string& path = (*sources)[position];
    if (path.empty()) continue;
    WIN32_FIND_DATAA entry;
    if (LookUpUniqueEntry(path, entry)) {
      AppendRow(entry.cFileName, ImageOf(entry), position);
    } else {
      AppendRow(path, kMissingImage, position);
    }
  }
}

CSourceList* CSrcFolderSetting::GetShownSourceList() const {
  return m_pMainDlg->GetFolderMap().Find(m_strCurKey);
}

bool CSrcFolderSetting::IsIdle() const { return !m_pMainDlg->IsBusy(); }

void CSrcFolderSetting::AppendRow(const std::string& text, int image, std::size_t position) {
  int row = m_listSrc.InsertItem(m_listSrc.GetItemCount(), text);
  m_listSrc.SetItemImageAndData(row, image, static_cast<LPARAM>(position));
}

void CSrcFolderSetting::AddDroppedSources(HDROP drop, CSourceList& sources) {
  UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT index = 0; index < count; ++index) {
    std::string path;
    WIN32_FIND_DATAA entry;
    if (!GetDroppedPath(drop, index, path) || !LookUpUniqueEntry(path, entry) || IsListed(sources, path)) continue;
    sources.push_back(path);
    AppendRow(entry.cFileName, ImageOf(entry), sources.size() - 1);
  }
}

void CSrcFolderSetting::ClearSelectedSources(CSourceList& sources) {
  for (int row = m_listSrc.GetItemCount() - 1; row >= 0; --row) {
    if (!(m_listSrc.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED)) continue;
    std::size_t position = static_cast<std::size_t>(m_listSrc.GetItemData(row));
    m_listSrc.DeleteItem(row);
    if (position < sources.size()) sources[position].clear();
  }
}

void CSrcFolderSetting::LayOutControls() {
  if (m_editFolder.IsWindow()) {
    m_editFolder.MoveWindow(5, 5, m_cxClient - 10, RectHeight(m_editFolder.GetWindowRect()));
  }
  if (m_listSrc.IsWindow()) {
    m_listSrc.MoveWindow(5, 35, m_cxClient - 10, m_cyClient - 45);
    m_listSrc.SetColumnWidth(0, m_cxClient - 15);
  }
}

LRESULT CSrcFolderSetting::OnEraseBkgnd(WPARAM wParam, LPARAM, bool&) {
  HDC dc = reinterpret_cast<HDC>(wParam);
  PaintBackground(dc, RECT{0, 0, m_cxClient, m_cyClient});
  DrawSeparatorLine(dc, POINT{2, m_cyClient - 2}, POINT{m_cxClient - 2, m_cyClient - 2});
  DrawSeparatorLine(dc, POINT{2, m_cyClient - 5}, POINT{m_cxClient - 2, m_cyClient - 5});
  return 1;
}

// The drop handle is released on every path, a refused drop included.
LRESULT CSrcFolderSetting::OnDropFiles(WPARAM wParam, LPARAM, bool& handled) {
  HDROP drop = reinterpret_cast<HDROP>(wParam);
  if (IsIdle() && m_pMainDlg->GetFolderMap().Contains(m_strCurKey)) {
    AddDroppedSources(drop, m_pMainDlg->GetFolderMap().GetOrCreate(m_strCurKey));
    m_pMainDlg->PlanChanged();
  }
  ::DragFinish(drop);
  handled = false;
  return 0;
}

LRESULT CSrcFolderSetting::OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam, bool& handled) {
  CPaneDialog::OnGetMinMaxInfo(wParam, lParam, handled);
  MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
  info->ptMaxTrackSize.x = kMaxTrackWidth;
  info->ptMaxTrackSize.y = m_pMainDlg->GetClientHeight() - kStripHeight;
  return 0;
}

LRESULT CSrcFolderSetting::OnSourceItemChanged(const NMHDR&) {
  m_editFolder.SetWindowText(std::string());
  const CSourceList* sources = GetShownSourceList();
  if (!sources || m_listSrc.GetSelectedCount() != 1) return 0;
  std::size_t position = static_cast<std::size_t>(m_listSrc.GetItemData(m_listSrc.GetNextItem(-1, LVNI_SELECTED)));
  if (position < sources->size()) m_editFolder.SetWindowText(DriveAndFolderOf((*sources)[position]));
  return 0;
}

LRESULT CSrcFolderSetting::OnSourceKeyDown(const NMLVKEYDOWN& key) {
  CSourceList* sources = GetShownSourceList();
  if (!IsIdle() || key.wVKey != VK_DELETE || !sources) return 0;
  ClearSelectedSources(*sources);
  m_pMainDlg->PlanChanged();
  return 0;
}
