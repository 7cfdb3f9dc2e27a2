#include "ui/DesFolderSetting.h"

#include "plan/DateName.h"
#include "plan/PlanReader.h"
#include "res/resource.h"
#include "ui/Colours.h"
#include "ui/LocaleDate.h"
#include "ui/PaneTree.h"

namespace {
const int kClosedFolderImage = 0;
const int kOpenFolderImage = 1;
}  // namespace

CDesFolderSetting::CDesFolderSetting(HWND parent) : CPaneDialog(IDD_DESFOLDER, parent) {}

CDialog::MessageTable CDesFolderSetting::GetMessageTable() const {
  static const MessageEntry kMessages[] = {
      OnMessage(WM_ERASEBKGND, &CDesFolderSetting::OnEraseBkgnd),
      OnMessage(WM_SIZE, &CDesFolderSetting::OnSize),
      OnCommand(IDOK, &CDesFolderSetting::OnSwallowedCommand),
      OnCommand(IDCANCEL, &CDesFolderSetting::OnSwallowedCommand),
      OnMessage(WM_NEXTDLGCTL, &CDesFolderSetting::OnNextDlgCtl),
  };
  return MessageTable{kMessages, sizeof(kMessages) / sizeof(kMessages[0])};
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

void CDesFolderSetting::LoadPlan(const std::string& path) {
  CPaneTree tree(*this);
  PlanLoadSettings settings{m_pMainDlg->GetWorkDir(), DateFolderName(), IsLocaleDate};
  ::LoadPlan(path, tree, m_pMainDlg->GetFolderMap(), settings);
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
