// Construction, the start-up sequence (WM_INITDIALOG) and the shutdown sequence
// (WM_DESTROY) of the main dialog.
#include "ui/SheafkeeperDlg.h"

#include <algorithm>

#include "copy/FileCopyWorker.h"
#include "framework/SingleInstance.h"
#include "platform/FileMove.h"
#include "platform/Settings.h"
#include "platform/WorkingFolder.h"
#include "res/resource.h"
#include "ui/DesFolderSetting.h"
#include "ui/SrcFolderSetting.h"

namespace {

const char kAutomaticPlanFile[] = "temp.xml";
const char kUnreadableSuffix[] = ".unreadable";

}  // namespace

CSheafkeeperDlg::CSheafkeeperDlg(HWND parent)
    : CDialog(IDD_SHEAFKEEPER_DIALOG, parent),
      m_hIcon(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

CSheafkeeperDlg::~CSheafkeeperDlg() {
  DestroyWindow();
  m_mapFolder.RemoveAll();
}

BOOL CSheafkeeperDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  TakeClientSize();
  AddAboutItemToSystemMenu();
  AddLinkItemToSystemMenu();
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
  m_strWorkDir = GetWorkingFolder();
  CreatePanes();
  SetUpExclusionList();
  m_copyRunStrip.SetUp();
  LoadAutomaticPlan();
  RestoreStoredSizes();
  RecalcLayout();
  if (m_pSingleInstance) m_pSingleInstance->MarkWindow(m_hWnd);
  return TRUE;
}

// The WM_SIZE of the window's creation came before this object saw any message, and a
// stored size equal to the creation size sends none: the layout starts from the window.
void CSheafkeeperDlg::TakeClientSize() {
  RECT client = GetClientRect();
  m_cxClient = client.right;
  m_cyClient = client.bottom;
}

void CSheafkeeperDlg::AddAboutItemToSystemMenu() {
  HMENU systemMenu = ::GetSystemMenu(m_hWnd, FALSE);
  if (!systemMenu) return;
  char text[256] = "";
  ::LoadStringA(::GetModuleHandleA(nullptr), IDS_ABOUTBOX, text, sizeof(text));
  if (text[0] == '\0') return;
  ::AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, text);
}

// Each pane gets its host before its window exists: the window uses it while it is being
// created.
void CSheafkeeperDlg::CreatePanes() {
  m_pDesFolderSetting = std::make_unique<CDesFolderSetting>(*this, m_hWnd);
  m_pDesFolderSetting->Create(m_hWnd);
  m_pDesFolderSetting->ShowWindow(SW_SHOW);

  m_pSrcFolderSetting = std::make_unique<CSrcFolderSetting>(*this, m_hWnd);
  m_pSrcFolderSetting->Create(m_hWnd);
  m_pSrcFolderSetting->ShowWindow(SW_SHOW);
}

void CSheafkeeperDlg::SetUpExclusionList() {
  m_listNoCopy.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  m_listNoCopy.InsertColumn(0, kExclusionHeading, LVCFMT_LEFT);
}

// A temp.xml that holds no plan the reader can use (saved in another encoding, cut short)
// is kept under another name, replacing an older one: the plan written at exit would
// otherwise destroy it.
void CSheafkeeperDlg::LoadAutomaticPlan() {
  if (!m_pDesFolderSetting) return;
  const std::string path = m_strWorkDir + kAutomaticPlanFile;
  if (m_pDesFolderSetting->LoadPlan(path) == PlanLoadResult::kLoaded) return;
  DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  kWindowsSaveFileOps.replace(path, path + kUnreadableSuffix);
}

// Written at exit and a second after each change; the same safe save as Save, which
// keeps the earlier file when this one fails.
void CSheafkeeperDlg::SaveAutomaticPlan() { SavePlan(m_strWorkDir + kAutomaticPlanFile); }

// The window first, so that its WM_SIZE lays everything out; then the panes get the
// stored width and height, raised to the least a pane keeps, which the final layout
// clamps to the client area.
void CSheafkeeperDlg::RestoreStoredSizes() {
  int windowWidth = ReadSetting(kWindowWidth);
  int windowHeight = ReadSetting(kWindowHeight);
  SetSize(windowWidth, windowHeight);
  int paneWidth = std::max(ReadSetting(kDesPaneWidth), CPaneDialog::kMinExtent);
  if (m_pDesFolderSetting) m_pDesFolderSetting->SetSize(paneWidth, windowHeight);
  int paneHeight = std::max(ReadSetting(kSrcPaneHeight), CPaneDialog::kMinExtent);
  if (m_pSrcFolderSetting) m_pSrcFolderSetting->SetSize(paneWidth, paneHeight);
}

// The plan and the sizes are saved first, while the panes exist; once they were saved at
// the end of a Windows session, nothing more is written, so the files keep that state.
LRESULT CSheafkeeperDlg::OnDestroy(WPARAM, LPARAM, bool&) {
  if (m_pSingleInstance) m_pSingleInstance->UnmarkWindow(m_hWnd);
  if (!m_bSessionSaved) SaveState();
  DestroyPanes();
  m_mapFolder.RemoveAll();
  return 0;
}

// A copy run makes the session wait; Windows may still end it after asking the user.
LRESULT CSheafkeeperDlg::OnQueryEndSession(WPARAM, LPARAM, bool&) { return IsBusy() ? FALSE : TRUE; }

// Log-off or shutdown ends the process without WM_DESTROY, even during a copy run, at
// any moment after this returns. So a run is stopped at its next file, and the copy of a
// large file is stopped and its temporary file removed before it returns; the plan and
// the sizes are saved here as the shutdown sequence would save them.
LRESULT CSheafkeeperDlg::OnEndSession(WPARAM wParam, LPARAM, bool&) {
  if (!wParam || m_bSessionSaved) return 0;
  if (IsBusy()) {
    m_bAbort = 1;
    StopFileCopyOnWorker();
  }
  SaveState();
  m_bSessionSaved = true;
  return 0;
}

// temp.xml, then the settings in the order LX, RY, CX, CY.
void CSheafkeeperDlg::SaveState() {
  SaveAutomaticPlan();
  if (m_pDesFolderSetting) WriteSetting(kDesPaneWidth, RectWidth(m_pDesFolderSetting->GetWindowRect()));
  if (m_pSrcFolderSetting) WriteSetting(kSrcPaneHeight, RectHeight(m_pSrcFolderSetting->GetWindowRect()));
  RECT window = GetWindowRect();
  WriteSetting(kWindowWidth, RectWidth(window));
  WriteSetting(kWindowHeight, RectHeight(window));
}

void CSheafkeeperDlg::DestroyPanes() {
  if (m_pDesFolderSetting) {
    m_pDesFolderSetting->DestroyWindow();
    m_pDesFolderSetting.reset();
  }
  if (m_pSrcFolderSetting) {
    m_pSrcFolderSetting->DestroyWindow();
    m_pSrcFolderSetting.reset();
  }
}
