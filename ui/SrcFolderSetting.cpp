#include "ui/SrcFolderSetting.h"

#include "copy/EntryLookup.h"
#include "res/resource.h"
#include "ui/Colours.h"

namespace {
const int kFolderImage = 0;
const int kFileImage = 1;
}  // namespace

CSrcFolderSetting::CSrcFolderSetting(HWND parent) : CPaneDialog(IDD_SRCFOLDER, parent) {}

CDialog::MessageTable CSrcFolderSetting::GetMessageTable() const {
  static const MessageEntry kMessages[] = {
      OnMessage(WM_ERASEBKGND, &CSrcFolderSetting::OnEraseBkgnd),
      OnMessage(WM_SIZE, &CSrcFolderSetting::OnSize),
      OnCommand(IDOK, &CSrcFolderSetting::OnSwallowedCommand),
      OnCommand(IDCANCEL, &CSrcFolderSetting::OnSwallowedCommand),
      OnMessage(WM_NEXTDLGCTL, &CSrcFolderSetting::OnNextDlgCtl),
  };
  return MessageTable{kMessages, sizeof(kMessages) / sizeof(kMessages[0])};
}

void CSrcFolderSetting::DoDataExchange(CDataExchange& dx) {
  DDX_Control(dx, IDC_SRCFOLDER, m_editFolder);
  DDX_Control(dx, IDC_SRCLIST, m_listSrc);
}

BOOL CSrcFolderSetting::OnInitDialog() {
  CPaneDialog::OnInitDialog();
  m_imageList.CreateFromBitmaps({IDB_FOLDER_CLOSED, IDB_BLANK});
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
  if (!m_pMainDlg || !m_pMainDlg->GetFolderMap().Contains(key)) return;
  m_strCurKey = key;
  const CSourceList* sources = m_pMainDlg->GetFolderMap().Find(key);
  if (!sources) return;
  for (std::size_t position = 0; position < sources->size(); ++position) {
    WIN32_FIND_DATAA entry;
    if (!LookUpUniqueEntry((*sources)[position], entry)) continue;
    int row = m_listSrc.InsertItem(m_listSrc.GetItemCount(), entry.cFileName);
    bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    m_listSrc.SetItemImageAndData(row, isFolder ? kFolderImage : kFileImage, static_cast<LPARAM>(position));
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
