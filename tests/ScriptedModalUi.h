#pragma once
// The test double of the modal-UI seam: records what would have been shown and gives
// the answers the test chose. Installed for its lifetime.
#include <functional>
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "framework/ModalUi.h"

class ScriptedModalUi : public IModalUi {
 public:
  struct Message {
    std::string text;
    std::string caption;
    UINT type;
  };

  ScriptedModalUi() { SetModalUi(this); }
  ~ScriptedModalUi() override { SetModalUi(nullptr); }

  int MessageBox(HWND, const std::string& text, const std::string& caption, UINT type) override {
    messages.push_back(Message{text, caption, type});
    if (onMessage) onMessage();
    return IDOK;
  }
  int TrackPopupMenu(HWND, const std::vector<MenuItem>& items, POINT screen, UINT) override {
    menus.push_back(items);
    menuPoint = screen;
    return menuAnswer;
  }
  bool GetFileName(const FileDialogRequest& request, std::string& path) override {
    fileRequests.push_back(request);
    if (fileAnswer.empty()) return false;
    path = fileAnswer;
    return true;
  }
  PIDLIST_ABSOLUTE BrowseForFolder(BROWSEINFOA& info) override {
    browseTitles.push_back(info.lpszTitle ? info.lpszTitle : "");
    return folderAnswer.empty() ? nullptr : ILCreateFromPathA(folderAnswer.c_str());
  }
  INT_PTR DoModal(CDialog& dialog) override {
    dialogs.push_back(dialog.GetTemplateId());
    return dialogAnswer ? dialogAnswer(dialog) : IDCANCEL;
  }

  std::vector<Message> messages;
  std::function<void()> onMessage;  // called while the box would be shown
  std::vector<std::vector<MenuItem>> menus;
  int menuAnswer = kNothingChosen;
  POINT menuPoint{};  // where the last menu would have opened, in screen coordinates
  std::vector<FileDialogRequest> fileRequests;
  std::string fileAnswer;  // empty: the file dialog is cancelled
  std::vector<std::string> browseTitles;
  std::string folderAnswer;  // empty: the folder browser is cancelled
  std::vector<UINT> dialogs;  // template ids of the dialogs run modally
  std::function<INT_PTR(CDialog&)> dialogAnswer;
};
