#include "ui/DesFolderSetting.h"

#include <vector>

#include "framework/ModalUi.h"
#include "plan/DateName.h"
#include "plan/FolderName.h"
#include "plan/ShiftJis.h"
#include "plan/PlanReader.h"
#include "platform/LocaleDate.h"
#include "res/resource.h"
#include "ui/Colours.h"
#include "ui/FolderSelectDlg.h"

namespace {

const int kClosedFolderImage = 0;
const int kOpenFolderImage = 1;
const char kBrowseTitle[] = "コピーフォルダ";
const char kNewFolderName[] = "新規フォルダ";
enum MenuCommand { kCreateCommand = 0, kRenameCommand = 1, kDeleteCommand = 2 };

}  // namespace

CDesFolderSetting::CDesFolderSetting(IPaneHost& host, HWND parent)
    : CPaneDialog(IDD_DESFOLDER, host, parent, GripEdge::Right) {}

CDialog::MessageTable CDesFolderSetting::GetMessageTable() const {
  static const MessageEntry kMessages[] = {
      OnMessage(WM_ERASEBKGND, &CDesFolderSetting::OnEraseBkgnd),
      OnNotify<&CDesFolderSetting::OnTreeRightClick>(IDC_DESTREE, NM_RCLICK),
      OnMessage(WM_CONTEXTMENU, &CDesFolderSetting::OnContextMenu),
      OnCommand(IDC_DESROOT_BROWSE, &CDesFolderSetting::OnBrowse),
      OnNotify<&CDesFolderSetting::OnEndLabelEdit>(IDC_DESTREE, TVN_ENDLABELEDITA),
      OnNotify<&CDesFolderSetting::OnSelChanged>(IDC_DESTREE, TVN_SELCHANGEDA),
  };
  return MakeMessageTable(kMessages, &PaneMessageTable());
}

// The root is only ever shown in edit 1000, never read back from it.
void CDesFolderSetting::DoDataExchange(CDataExchange& dx) {
  if (!dx.IsSaving()) DDX_Text(dx, IDC_DESROOT, m_strDesRoot);
  DDX_Control(dx, IDC_DESTREE, m_tree);
}

BOOL CDesFolderSetting::OnInitDialog() {
  CPaneDialog::OnInitDialog();
  m_imageList.CreateFromBitmaps({IDB_FOLDER_CLOSED, IDB_FOLDER_OPEN});
  m_tree.SetImageList(m_imageList.GetSafeHandle(), TVSIL_NORMAL);
  InsertTopFolder();
  m_strDesRoot = m_pMainDlg->GetWorkDir();
  UpdateData(false);
  LayOutControls();
  return TRUE;
}

bool CDesFolderSetting::PreTranslateMessage(MSG& msg) {
  if (msg.hwnd == m_tree.GetSafeHwnd() && IsMenuKey(msg)) {
    if (msg.message != WM_KEYUP) SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(msg.hwnd), -1);
    return true;
  }
  if (msg.message != WM_KEYDOWN || m_pMainDlg->IsBusy()) return false;
  if (msg.wParam == VK_RETURN) {
    m_tree.EndEditLabelNow(false);
    return true;
  }
  if (msg.wParam == VK_F2 && m_tree.GetSelectedItem()) {
    m_tree.EditLabel(m_tree.GetSelectedItem());
    return true;
  }
  return false;
}

// The tree view keeps Shift+F10 to itself and not every system turns the menu key into
// WM_CONTEXTMENU, so both are taken here; the menu key's release goes no further either,
// so that it opens no second menu.
bool CDesFolderSetting::IsMenuKey(const MSG& msg) {
  if (msg.message == WM_SYSKEYDOWN) return msg.wParam == VK_F10 && ::GetKeyState(VK_SHIFT) < 0;
  return (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_APPS;
}

void CDesFolderSetting::InsertTopFolder() {
  std::string name = DateFolderName();
  m_hTopFolder = InsertFolder(TVI_ROOT, name);
  m_pMainDlg->GetFolderMap().SetEmpty(name);
}

HTREEITEM CDesFolderSetting::InsertFolder(HTREEITEM parent, const std::string& name) {
  return m_tree.InsertItem(name, kClosedFolderImage, kOpenFolderImage, parent);
}

std::string CDesFolderSetting::GetFolderKey(HTREEITEM item) const {
  if (!item) return std::string();
  std::string key = m_tree.GetItemText(item);
  for (HTREEITEM parent = m_tree.GetParentItem(item); parent; parent = m_tree.GetParentItem(parent)) {
    key = m_tree.GetItemText(parent) + "/" + key;
  }
  return key;
}

void CDesFolderSetting::DeleteFolderItem(HTREEITEM item) {
  for (HTREEITEM child = m_tree.GetChildItem(item); child;) {
    HTREEITEM next = m_tree.GetNextSiblingItem(child);
    DeleteFolderItem(child);
    child = next;
  }
  m_pMainDlg->GetFolderMap().Remove(GetFolderKey(item));
  m_tree.DeleteItem(item);
}

void CDesFolderSetting::ResetFolderTree() {
  DeleteFolderItem(m_hTopFolder);
  m_tree.SelectItem(nullptr);
  m_pMainDlg->ShowSourceList(std::string());
  InsertTopFolder();
}

// The item whose label or icon is under the cursor, or null.
HTREEITEM CDesFolderSetting::HitItem() const {
  TVHITTESTINFO hit{};
  ::GetCursorPos(&hit.pt);
  ::ScreenToClient(m_tree.GetSafeHwnd(), &hit.pt);
  HTREEITEM item = m_tree.HitTest(hit);
  return (hit.flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON)) ? item : nullptr;
}

LRESULT CDesFolderSetting::OnTreeRightClick(const NMHDR&) {
  if (m_pMainDlg->IsBusy()) return 0;
  if (HTREEITEM item = HitItem()) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ShowMenuFor(item, cursor);
  }
  return 0;
}

// A right click was handled as NM_RCLICK; only the keyboard's request (at -1, -1) is
// left, and its menu opens at the selected folder's label.
LRESULT CDesFolderSetting::OnContextMenu(WPARAM wParam, LPARAM lParam, bool&) {
  HTREEITEM item = m_tree.GetSelectedItem();
  bool fromKeyboard = static_cast<DWORD>(lParam) == 0xFFFFFFFF;  // x and y both -1
  if (!fromKeyboard || reinterpret_cast<HWND>(wParam) != m_tree.GetSafeHwnd() || !item || m_pMainDlg->IsBusy()) {
    return 0;
  }
  RECT label{};
  TreeView_GetItemRect(m_tree.GetSafeHwnd(), item, &label, TRUE);
  POINT corner{label.left, label.bottom};
  ::ClientToScreen(m_tree.GetSafeHwnd(), &corner);
  ShowMenuFor(item, corner);
  return 0;
}

void CDesFolderSetting::ShowMenuFor(HTREEITEM item, POINT screen) {
  m_tree.SelectItem(item);
  std::vector<MenuItem> menu = {{kCreateCommand, "新規フォルダ作成", false}, {0, "", true},
                                {kRenameCommand, "名前の変更", false}};
  if (item != m_hTopFolder) {
    menu.push_back({0, "", true});
    menu.push_back({kDeleteCommand, "削除", false});
  }
  switch (ModalUi().TrackPopupMenu(m_hWnd, menu, screen, TPM_LEFTALIGN | TPM_LEFTBUTTON)) {
    case kCreateCommand: CreateFolder(item); break;
    case kRenameCommand: RenameFolder(item); break;
    case kDeleteCommand: DeleteFolder(item); break;
    default: break;
  }
}

// The first of 新規フォルダ, 新規フォルダ(2), 新規フォルダ(3), ... that no child of parent
// carries, compared byte for byte.
std::string CDesFolderSetting::NewFolderName(HTREEITEM parent) const {
  for (long n = 1;; ++n) {
    std::string candidate = n == 1 ? kNewFolderName : kNewFolderName + ("(" + std::to_string(n) + ")");
    bool taken = false;
    for (HTREEITEM child = m_tree.GetChildItem(parent); child && !taken; child = m_tree.GetNextSiblingItem(child)) {
      taken = m_tree.GetItemText(child) == candidate;
    }
    if (!taken) return candidate;
  }
}

void CDesFolderSetting::CreateFolder(HTREEITEM parent) {
  HTREEITEM item = InsertFolder(parent, NewFolderName(parent));
  m_tree.Expand(parent);
  m_tree.SelectItem(item);
  std::string key = GetFolderKey(item);
  m_pMainDlg->GetFolderMap().SetEmpty(key);
  m_pMainDlg->ShowSourceList(key);
  m_pMainDlg->PlanChanged();
  m_tree.EditLabel(item);
}

void CDesFolderSetting::RenameFolder(HTREEITEM item) {
  std::string key = GetFolderKey(item);
  m_pMainDlg->GetFolderMap().AddIfMissing(key);
  m_pMainDlg->ShowSourceList(key);
  m_tree.EditLabel(item);
}

void CDesFolderSetting::DeleteFolder(HTREEITEM item) {
  DeleteFolderItem(item);
  m_tree.SelectItem(nullptr);
  m_pMainDlg->ShowSourceList(std::string());
  m_pMainDlg->PlanChanged();
}

// The tree never applies a typed name itself (result 0): an accepted one is set here.
LRESULT CDesFolderSetting::OnEndLabelEdit(const NMTVDISPINFOA& info) {
  if (m_pMainDlg->IsBusy() || !info.item.pszText) return 0;
  std::string name = info.item.pszText;
  if (IsAcceptableName(info.item.hItem, name)) ApplyName(info.item.hItem, name);
  return 0;
}

// A name Windows can create, and no sibling of that name in any ASCII case.
bool CDesFolderSetting::IsAcceptableName(HTREEITEM item, const std::string& name) const {
  if (!IsCreatableFolderName(name)) return false;
  HTREEITEM parent = m_tree.GetParentItem(item);
  HTREEITEM sibling = parent ? m_tree.GetChildItem(parent) : m_tree.GetNextItem(nullptr, TVGN_ROOT);
  for (; sibling; sibling = m_tree.GetNextSiblingItem(sibling)) {
    if (sibling != item && sjis::EqualsNoCaseAscii(m_tree.GetItemText(sibling), name)) return false;
  }
  return true;
}

// The folder and everything below it take their source lists along to the new keys.
void CDesFolderSetting::ApplyName(HTREEITEM item, const std::string& name) {
  std::string oldKey = GetFolderKey(item);
  m_tree.SetItemText(item, name);
  std::string newKey = GetFolderKey(item);
  m_pMainDlg->GetFolderMap().Rekey(oldKey, newKey);
  m_pMainDlg->ShowSourceList(newKey);
  m_pMainDlg->PlanChanged();
}

// Selecting only reads the plan, so it is shown during a copy run too.
LRESULT CDesFolderSetting::OnSelChanged(const NMTREEVIEWA& change) {
  m_pMainDlg->ShowSourceList(GetFolderKey(change.itemNew.hItem));
  return 0;
}

LRESULT CDesFolderSetting::OnBrowse(WPARAM, LPARAM, bool&) {
  if (m_pMainDlg->IsBusy()) return 0;
  CFolderSelectDlg browser(kBrowseTitle, m_hWnd, m_strDesRoot);
  if (browser.DoModal() != IDOK) return 0;
  m_strDesRoot = browser.GetPathName();
  UpdateData(false);
  m_pMainDlg->PlanChanged();
  return 0;
}

void CDesFolderSetting::LayOutControls() {
  CWnd root(GetDlgItem(IDC_DESROOT));
  root.MoveWindow(5, 5, m_cxClient - 55, RectHeight(root.GetWindowRect()));
  CWnd browse(GetDlgItem(IDC_DESROOT_BROWSE));
  browse.MoveWindow(m_cxClient - 50, 5, 40, RectHeight(browse.GetWindowRect()));
  if (m_tree.IsWindow()) m_tree.MoveWindow(5, 35, m_cxClient - 15, m_cyClient - 40);
}

LRESULT CDesFolderSetting::OnEraseBkgnd(WPARAM wParam, LPARAM, bool&) {
  HDC dc = reinterpret_cast<HDC>(wParam);
  PaintBackground(dc, RECT{0, 0, m_cxClient, m_cyClient});
  DrawSeparatorLine(dc, POINT{m_cxClient - 1, 2}, POINT{m_cxClient - 1, m_cyClient - 2});
  DrawSeparatorLine(dc, POINT{m_cxClient - 4, 2}, POINT{m_cxClient - 4, m_cyClient - 2});
  return 1;
}
