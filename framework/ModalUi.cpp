#include "framework/ModalUi.h"

#include <commdlg.h>

#include "framework/Dialog.h"

namespace {

class CWin32ModalUi : public IModalUi {
 public:
  int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) override {
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), type);
  }

  int TrackPopupMenu(HWND owner, const std::vector<MenuItem>& items, POINT screen, UINT flags) override {
    // Commands are entered shifted by one, since the menu returns 0 for "nothing chosen".
    HMENU menu = ::CreatePopupMenu();
    for (const MenuItem& item : items) {
      if (item.separator) {
        ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      } else {
        ::AppendMenuA(menu, MF_STRING, item.id + 1, item.text.c_str());
      }
    }
    int chosen = ::TrackPopupMenu(menu, flags | TPM_RETURNCMD | TPM_NONOTIFY, screen.x, screen.y, 0, owner, nullptr);
    ::DestroyMenu(menu);
    return chosen == 0 ? kNothingChosen : chosen - 1;
  }

  bool GetFileName(const FileDialogRequest& request, std::string& path) override {
    std::string filter = request.filter;
    for (char& c : filter) {
      if (c == '|') c = '\0';
    }
    std::vector<char> buffer(32768, '\0');
    request.initialName.copy(buffer.data(), buffer.size() - 1);
    OPENFILENAMEA info{};
    info.lStructSize = sizeof(info);
    info.hwndOwner = request.owner;
    info.lpstrFilter = filter.c_str();
    info.lpstrFile = buffer.data();
    info.nMaxFile = static_cast<DWORD>(buffer.size());
    std::string defaultExt = request.defaultExt;
    if (!defaultExt.empty() && defaultExt[0] == '.') defaultExt.erase(0, 1);
    info.lpstrDefExt = defaultExt.c_str();
    info.Flags = request.flags | OFN_EXPLORER;
    BOOL chosen = request.open ? ::GetOpenFileNameA(&info) : ::GetSaveFileNameA(&info);
    if (chosen) path = buffer.data();
    return chosen != FALSE;
  }

  PIDLIST_ABSOLUTE BrowseForFolder(BROWSEINFOA& info) override { return ::SHBrowseForFolderA(&info); }

  INT_PTR DoModal(CDialog& dialog) override { return dialog.DoModal(); }
};

CWin32ModalUi g_win32ModalUi;
IModalUi* g_pModalUi = &g_win32ModalUi;  // not owned

}  // namespace

IModalUi& ModalUi() { return *g_pModalUi; }

void SetModalUi(IModalUi* ui) { g_pModalUi = ui ? ui : &g_win32ModalUi; }
