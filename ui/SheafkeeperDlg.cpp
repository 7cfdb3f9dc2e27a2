#include "ui/SheafkeeperDlg.h"

#include <commdlg.h>

#include <algorithm>

#include "framework/ModalUi.h"
#include "res/resource.h"
#include "ui/AboutDlg.h"
#include "ui/DesFolderSetting.h"
#include "ui/MainLayout.h"
#include "ui/SrcFolderSetting.h"
#include "ui/Colours.h"

namespace {

const char kPlanFileFilter[] = "XML形式(*.XML)|*.XML||";
const char kPlanFileExtension[] = ".xml";
const DWORD kPlanFileOptions = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST | OFN_LONGNAMES;
const int kMinWindowWidth = 520;
const int kMinWindowHeight = 390;

}  // namespace

CDialog::MessageTable CSheafkeeperDlg::GetMessageTable() const {
  static const MessageEntry kMessages[] = {
      OnMessage(WM_SYSCOMMAND, &CSheafkeeperDlg::OnSysCommand),
      OnMessage(WM_PAINT, &CSheafkeeperDlg::OnPaint),
      OnMessage(WM_QUERYDRAGICON, &CSheafkeeperDlg::OnQueryDragIcon),
      OnMessage(WM_ERASEBKGND, &CSheafkeeperDlg::OnEraseBkgnd),
      OnMessage(WM_SIZE, &CSheafkeeperDlg::OnSize),
      OnMessage(WM_DESTROY, &CSheafkeeperDlg::OnDestroy),
      OnMessage(WM_QUERYENDSESSION, &CSheafkeeperDlg::OnQueryEndSession),
      OnMessage(WM_ENDSESSION, &CSheafkeeperDlg::OnEndSession),
      OnMessage(WM_TIMER, &CSheafkeeperDlg::OnTimer),
      OnMessage(WM_GETMINMAXINFO, &CSheafkeeperDlg::OnGetMinMaxInfo),
      OnCommand(IDC_NEW, &CSheafkeeperDlg::OnNew),
      OnCommand(IDC_OPEN, &CSheafkeeperDlg::OnOpen),
      OnCommand(IDC_SAVE, &CSheafkeeperDlg::OnSave),
      OnNotify<&CSheafkeeperDlg::OnExclusionHeaderClick>(0, HDN_ITEMCLICKA),
      OnNotify<&CSheafkeeperDlg::OnExclusionKeyDown>(IDC_NOCOPY_LIST, LVN_KEYDOWN),
      OnNotify<&CSheafkeeperDlg::OnExclusionDblClk>(IDC_NOCOPY_LIST, NM_DBLCLK),
      OnCommand(IDOK, &CSheafkeeperDlg::OnStart),
      OnCommand(IDCANCEL, &CSheafkeeperDlg::OnExit),
      OnCommand(IDC_ABORT, &CSheafkeeperDlg::OnAbort),
  };
  return MakeMessageTable(kMessages);
}

void CSheafkeeperDlg::DoDataExchange(CDataExchange& dx) {
  DDX_Control(dx, IDC_NOCOPY_LIST, m_listNoCopy);
}

void CSheafkeeperDlg::RecalcLayout() {
  const int W = m_cxClient;
  const int H = m_cyClient;
  RECT des{};
  RECT src{};
  if (m_pDesFolderSetting && m_pDesFolderSetting->IsWindow()) {
    int width = RectWidth(m_pDesFolderSetting->GetWindowRect());
    m_pDesFolderSetting->MoveWindow(0, 0, std::min(width, W), H - kStripHeight);
    des = m_pDesFolderSetting->GetWindowRect();
  }
  if (m_pSrcFolderSetting && m_pSrcFolderSetting->IsWindow()) {
    int height = RectHeight(m_pSrcFolderSetting->GetWindowRect());
    m_pSrcFolderSetting->MoveWindow(RectWidth(des), 0, W - RectWidth(des), std::min(height, H - kStripHeight));
    src = m_pSrcFolderSetting->GetWindowRect();
  }
  if (m_listNoCopy.IsWindow()) {
    m_listNoCopy.MoveWindow(RectWidth(des) + kListMargin, RectHeight(src) + kListMargin,
                            W - RectWidth(des) - 2 * kListMargin, H - RectHeight(src) - kStripHeight - 2 * kListMargin);
    m_listNoCopy.SetColumnWidth(0, W - RectWidth(des) - 15);
  }
  const struct {
    int id;
    int x;
  } buttons[] = {{IDOK, W - kStartButtonFromRight}, {IDCANCEL, W - kExitButtonFromRight},
                 {IDC_NEW, kStripLeft}, {IDC_OPEN, kOpenButtonLeft}, {IDC_SAVE, kSaveButtonLeft}};
  for (const auto& button : buttons) {
    if (HWND control = GetDlgItem(button.id)) CWnd(control).SetPosition(button.x, H - kButtonRowRise);
  }
  const int stripWidth = W - kExitButtonFromRight - kStripLeft;
  if (HWND progress = GetDlgItem(IDC_PROGRESS)) {
    CWnd(progress).MoveWindow(kStripLeft, H - kButtonRowRise, stripWidth, kProgressHeight);
  }
  if (HWND status = GetDlgItem(IDC_STATUS)) {
    CWnd(status).MoveWindow(kStripLeft, H - kStatusRise, stripWidth, kStatusHeight);
  }
  if (HWND abort = GetDlgItem(IDC_ABORT)) CWnd(abort).SetPosition(W - kExitButtonFromRight, H - kButtonRowRise);
}

void CSheafkeeperDlg::ShowSourceList(const std::string& key) {
  if (m_pSrcFolderSetting) m_pSrcFolderSetting->ShowSourceList(key);
}

void CSheafkeeperDlg::AppendExclusion(const std::string& name) {
  m_listNoCopy.InsertItem(m_listNoCopy.GetItemCount(), name);
}

std::vector<std::string> CSheafkeeperDlg::GetExclusionRows() const {
  std::vector<std::string> rows;
  int count = m_listNoCopy.GetItemCount();
  for (int row = 0; row < count; ++row) rows.push_back(m_listNoCopy.GetItemText(row, 0));
  return rows;
}

LRESULT CSheafkeeperDlg::OnSysCommand(WPARAM wParam, LPARAM, bool& handled) {
  if ((wParam & 0xFFF0) == IDM_LINK_UNCHANGED) {
    ToggleLinkUnchanged();
  } else if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
    CAboutDlg about;
    ModalUi().DoModal(about);
  } else {
    handled = false;
  }
  return 0;
}

LRESULT CSheafkeeperDlg::OnPaint(WPARAM, LPARAM, bool& handled) {
  if (::IsIconic(m_hWnd)) {
    PaintMinimizedIcon();
  } else {
    handled = false;
  }
  return 0;
}

void CSheafkeeperDlg::PaintMinimizedIcon() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(m_hWnd, &paint);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
  RECT client = GetClientRect();
  int x = (RectWidth(client) - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
  int y = (RectHeight(client) - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
  ::DrawIcon(dc, x, y, m_hIcon);
  ::EndPaint(m_hWnd, &paint);
}

LRESULT CSheafkeeperDlg::OnQueryDragIcon(WPARAM, LPARAM, bool&) {
  return reinterpret_cast<LRESULT>(m_hIcon);
}

LRESULT CSheafkeeperDlg::OnEraseBkgnd(WPARAM wParam, LPARAM, bool&) {
  HDC dc = reinterpret_cast<HDC>(wParam);
  PaintBackground(dc, RECT{0, 0, m_cxClient, m_cyClient});
  const int y = m_cyClient - kSeparatorRise;
  DrawSeparatorLine(dc, POINT{kListMargin, y}, POINT{m_cxClient - kListMargin, y});
  return 1;
}

// The framework's default handling of WM_SIZE does nothing for a dialog, so the
// handler's own work is all there is.
LRESULT CSheafkeeperDlg::OnSize(WPARAM, LPARAM lParam, bool&) {
  m_cxClient = LOWORD(lParam);
  m_cyClient = HIWORD(lParam);
  RecalcLayout();
  Invalidate(true);
  return 0;
}

LRESULT CSheafkeeperDlg::OnGetMinMaxInfo(WPARAM, LPARAM lParam, bool& handled) {
  MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
  info->ptMinTrackSize.x = kMinWindowWidth;
  info->ptMinTrackSize.y = kMinWindowHeight;
  handled = false;
  return 0;
}

LRESULT CSheafkeeperDlg::OnNew(WPARAM, LPARAM, bool&) {
  if (IsBusy()) return 0;
  if (m_pDesFolderSetting) m_pDesFolderSetting->ResetFolderTree();
  PlanChanged();
  return 0;
}

bool CSheafkeeperDlg::AskPlanFileName(bool open, std::string& path) {
  FileDialogRequest request{m_hWnd, open, kPlanFileExtension, open ? std::string() : m_strPlanPath,
                            kPlanFileFilter, kPlanFileOptions};
  return ModalUi().GetFileName(request, path);
}

LRESULT CSheafkeeperDlg::OnOpen(WPARAM, LPARAM, bool&) {
  std::string path;
  if (IsBusy() || !AskPlanFileName(true, path)) return 0;
  if (m_pDesFolderSetting) m_pDesFolderSetting->LoadPlan(path);
  m_strPlanPath = path;
  PlanChanged();
  return 0;
}

LRESULT CSheafkeeperDlg::OnSave(WPARAM, LPARAM, bool&) {
  std::string path;
  if (IsBusy() || !AskPlanFileName(false, path)) return 0;
  SavePlan(path);
  m_strPlanPath = path;
  return 0;
}

LRESULT CSheafkeeperDlg::OnExit(WPARAM, LPARAM, bool&) {
  if (IsBusy()) return 0;
  OnCancel();
  return 0;
}
