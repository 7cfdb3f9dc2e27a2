#pragma once
// Everything that runs a modal loop of its own goes through this seam: message boxes,
// popup menus, the file dialogs, the folder browser and modal dialogs of the program.
// The program uses the Win32 implementation; tests install a scripted one.
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

class CDialog;

struct MenuItem {
  UINT id;           // command id; may be 0
  std::string text;  // empty for a separator
  bool separator;
};

struct FileDialogRequest {
  HWND owner;                // not owned
  bool open;                 // true: Open, false: Save As
  std::string defaultExt;    // such as ".xml"; the dialog gets it without the dot
  std::string initialName;
  std::string filter;        // "label|pattern|...||"
  DWORD flags;               // OFN_ flags
};

class IModalUi {
 public:
  static constexpr int kNothingChosen = -1;

  virtual ~IModalUi() = default;
  virtual int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) = 0;
  // Shows a popup menu at a screen point and returns the chosen command id, or
  // kNothingChosen when the menu was dismissed.
  virtual int TrackPopupMenu(HWND owner, const std::vector<MenuItem>& items, POINT screen, UINT flags) = 0;
  // Shows the Open or Save As dialog; true and the full path when the user chose a file.
  virtual bool GetFileName(const FileDialogRequest& request, std::string& path) = 0;
  // Shows the shell's folder browser; the chosen folder's item list (freed by the
  // caller through the shell's allocator) or null when cancelled.
  virtual PIDLIST_ABSOLUTE BrowseForFolder(BROWSEINFOA& info) = 0;
  // Runs a dialog of the program modally and returns its result.
  virtual INT_PTR DoModal(CDialog& dialog) = 0;
};

// The seam in use: the Win32 implementation unless a test installed another.
IModalUi& ModalUi();
// Installs ui (not owned); null restores the Win32 implementation.
void SetModalUi(IModalUi* ui);
