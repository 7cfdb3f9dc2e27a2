#include "ui/FolderSelectDlg.h"

#include "framework/ModalUi.h"
#include "plan/ShiftJis.h"

namespace {

// Selects the folder whose path data points to once the browser is up.
int CALLBACK SelectInitialFolder(HWND browser, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && *reinterpret_cast<const char*>(data) != '\0') {
    ::SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, data);
  }
  return 0;
}

}  // namespace

CFolderSelectDlg::CFolderSelectDlg(const std::string& title, HWND owner, const std::string& initialFolder)
    : m_strTitle(title), m_strInitialFolder(initialFolder) {
  m_browseInfo.hwndOwner = owner;
  m_browseInfo.lpszTitle = m_strTitle.c_str();
  m_browseInfo.ulFlags = BIF_RETURNONLYFSDIRS;
  m_browseInfo.lpfn = SelectInitialFolder;
  m_browseInfo.lParam = reinterpret_cast<LPARAM>(m_strInitialFolder.c_str());
}

CFolderSelectDlg::~CFolderSelectDlg() {
  IMalloc* allocator = nullptr;
  if (m_pItemList && SUCCEEDED(::SHGetMalloc(&allocator))) {
    allocator->Free(m_pItemList);
    allocator->Release();
  }
}

INT_PTR CFolderSelectDlg::DoModal() {
  m_pItemList = ModalUi().BrowseForFolder(m_browseInfo);
  if (!m_pItemList) return IDCANCEL;
  char path[MAX_PATH] = "";
  if (::SHGetPathFromIDListA(m_pItemList, path) && path[0] != '\0') {
    m_strPath = path;
    sjis::AppendTrailingBackslash(m_strPath);
  }
  return IDOK;
}
