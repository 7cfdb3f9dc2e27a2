#pragma once
// The shell's folder browser, for choosing a destination root: it opens at the current
// folder, only file-system folders may be chosen, and the chosen path ends in a backslash.
#include <windows.h>
#include <shlobj.h>

#include <string>

class CFolderSelectDlg {
 public:
  // The browser opens with initialFolder selected, or at the desktop when it is empty.
  CFolderSelectDlg(const std::string& title, HWND owner, const std::string& initialFolder);
  ~CFolderSelectDlg();
  CFolderSelectDlg(const CFolderSelectDlg&) = delete;
  CFolderSelectDlg& operator=(const CFolderSelectDlg&) = delete;

  // Shows the browser; IDOK when a folder was chosen, IDCANCEL when it was cancelled.
  INT_PTR DoModal();
  const std::string& GetPathName() const { return m_strPath; }

 private:
  std::string m_strPath;
  std::string m_strTitle;
  std::string m_strInitialFolder;
  BROWSEINFOA m_browseInfo{};
  PIDLIST_ABSOLUTE m_pItemList = nullptr;  // owned; freed through the shell's allocator
};
