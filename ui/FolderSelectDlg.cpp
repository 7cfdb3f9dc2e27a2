#include "ui/FolderSelectDlg.h"

#include "framework/ModalUi.h"
#include "plan/ShiftJis.h"

CFolderSelectDlg::CFolderSelectDlg(const std::string& title, HWND owner) : m_strTitle(title) {
  m_browseInfo.hwndOwner = owner;
  m_browseInfo.lpszTitle = m_strTitle.c_str();
  m_browseInfo.ulFlags = BIF_RETURNONLYFSDIRS;
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
