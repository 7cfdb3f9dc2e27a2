#include "framework/Dialog.h"

#include <cstdio>
#include <exception>
#include <utility>

#include "framework/Application.h"

namespace {

const char kDialogProperty[] = "Sheafkeeper.CDialog";

CDialog::FaultReporter g_faultReporter;  // empty until the application installs one

// Messages whose result a dialog procedure returns directly instead of through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
  return message == WM_QUERYDRAGICON || message == WM_COMPAREITEM || message == WM_VKEYTOITEM ||
         message == WM_CHARTOITEM || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

}  // namespace

CDialog::CDialog(UINT templateId, HWND parent) : m_hParent(parent), m_nTemplateId(templateId) {}

CDialog::~CDialog() { DestroyWindow(); }

CDialog* CDialog::FromHandle(HWND hWnd) {
  return hWnd ? static_cast<CDialog*>(::GetPropA(hWnd, kDialogProperty)) : nullptr;
}

bool CDialog::Create(HWND parent) {
  m_hParent = parent;
  return ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nTemplateId), parent,
                              DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CDialog::DoModal() {
  HWND owner = m_hParent;
  if (!owner && CWinApp::Current() && CWinApp::Current()->m_pMainWnd != this) {
    owner = CWinApp::Current()->GetMainWindow();
  }
  if (owner) owner = ::GetAncestor(owner, GA_ROOT);
  m_bEndRequested = false;
  m_nModalResult = IDCANCEL;
  if (!::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nTemplateId), owner, DialogProc,
                            reinterpret_cast<LPARAM>(this))) {
    return -1;
  }
  bool ownerDisabled = owner && ::IsWindowEnabled(owner) && ::EnableWindow(owner, FALSE) == 0;
  ShowWindow(SW_SHOW);

  // The loop takes messages in Unicode: an ANSI loop garbles typed double-byte characters,
  // while a Unicode character message reaches an ANSI window in its code page.
  m_bInModalLoop = true;
  MSG msg;
  while (m_hWnd && !m_bEndRequested) {
    BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got < 0) break;
    if (PreTranslateInput(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  m_bInModalLoop = false;

  if (ownerDisabled) {
    ::EnableWindow(owner, TRUE);
    ::SetActiveWindow(owner);
  }
  DestroyWindow();
  return m_nModalResult;
}

void CDialog::EndDialog(INT_PTR result) {
  m_nModalResult = result;
  if (m_bInModalLoop) {
    m_bEndRequested = true;
    ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wakes the modal loop
  } else {
    DestroyWindow();
  }
}

void CDialog::DestroyWindow() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}

bool CDialog::UpdateData(bool saveAndValidate) {
  if (!m_hWnd) return false;
  CDataExchange dx(m_hWnd, saveAndValidate);
  DoDataExchange(dx);
  return true;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(false);
  return TRUE;
}

void CDialog::OnOK() {
  if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::PreTranslateChain(MSG& msg) {
  for (HWND hWnd = msg.hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
    CDialog* dialog = FromHandle(hWnd);
    if (dialog && dialog->PreTranslateMessage(msg)) return true;
    if (!(::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD)) break;
  }
  return false;
}

// A child dialog that should let Tab move on to its parent's controls forwards
// WM_NEXTDLGCTL to the parent; see CPaneDialog.
bool CDialog::PreTranslateInput(MSG& msg) {
  if (PreTranslateChain(msg)) return true;
  for (HWND hWnd = msg.hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
    if (FromHandle(hWnd)) return ::IsDialogMessageW(hWnd, &msg) != FALSE;
    if (!(::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD)) break;
  }
  return false;
}

void CDialog::CenterOnOwner() const {
  RECT area{};
  HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
  if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
    ::GetWindowRect(owner, &area);
  } else {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY), &info);
    area = info.rcWork;
  }
  RECT rect = GetWindowRect();
  SetPosition(area.left + (RectWidth(area) - RectWidth(rect)) / 2,
              area.top + (RectHeight(area) - RectHeight(rect)) / 2);
}

bool CDialog::Matches(const MessageEntry& entry, UINT message, WPARAM wParam, LPARAM lParam) {
  if (entry.message != message) return false;
  if (message == WM_COMMAND) return entry.code == HIWORD(wParam) && entry.id == LOWORD(wParam);
  if (message == WM_NOTIFY) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    return entry.code == header->code && entry.id == header->idFrom;
  }
  return true;
}

const CDialog::MessageEntry* CDialog::FindEntry(UINT message, WPARAM wParam, LPARAM lParam) const {
  MessageTable own = GetMessageTable();
  for (const MessageTable* table = &own; table; table = table->base) {
    for (std::size_t i = 0; i < table->count; ++i) {
      if (Matches(table->entries[i], message, wParam, lParam)) return &table->entries[i];
    }
  }
  return nullptr;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    BOOL focusDefault = OnInitDialog();
    if (m_hWnd && !(::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CHILD)) CenterOnOwner();
    return focusDefault;
  }
  if (const MessageEntry* entry = FindEntry(message, wParam, lParam)) {
    bool handled = true;
    LRESULT result = entry->call(*this, entry->handler, wParam, lParam, handled);
    if (!handled) return FALSE;
    if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
    if (m_hWnd) ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) {
    OnOK();
    return TRUE;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) {
    OnCancel();
    return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* dialog = FromHandle(hWnd);
  if (message == WM_INITDIALOG) {
    dialog = reinterpret_cast<CDialog*>(lParam);
    ::SetPropA(hWnd, kDialogProperty, dialog);
    dialog->m_hWnd = hWnd;
  }
  if (!dialog) return FALSE;
  INT_PTR result = FALSE;
  // No exception may leave a window procedure: each one is reported, then dropped.
  try {
    result = dialog->Dispatch(message, wParam, lParam);
  } catch (const std::exception& error) {
    dialog->ReportFault(message, wParam, lParam, error.what());
  } catch (...) {
    dialog->ReportFault(message, wParam, lParam, "an exception of no standard type");
  }
  if (message == WM_NCDESTROY) {
    ::RemovePropA(hWnd, kDialogProperty);
    dialog->m_hWnd = nullptr;
    dialog->OnWindowGone();
  }
  return result;
}

void CDialog::SetFaultReporter(FaultReporter reporter) { g_faultReporter = std::move(reporter); }

// A reporter that fails in turn is not asked again for this fault; nothing more can be done.
void CDialog::ReportFault(UINT message, WPARAM wParam, LPARAM lParam, const char* what) const {
  if (!g_faultReporter) return;
  char text[160];
  std::snprintf(text, sizeof text, "exception in dialog %u handling message 0x%04X (wParam 0x%llX, lParam 0x%llX): ",
                m_nTemplateId, message, static_cast<unsigned long long>(wParam),
                static_cast<unsigned long long>(lParam));
  try {
    g_faultReporter(text + std::string(what));
  } catch (...) {
  }
}
