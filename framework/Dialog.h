#pragma once
// The dialog base: creation from a template (modal, modeless or as a child), a message
// table per class, data exchange, and the framework's default OK and Cancel handling.
#include <windows.h>

#include <cstddef>

#include "framework/DataExchange.h"
#include "framework/Window.h"

class CDialog : public CWnd {
 public:
  // A handler sets handled to false to let the message go on to default handling.
  using Handler = LRESULT (CDialog::*)(WPARAM wParam, LPARAM lParam, bool& handled);

  // One row of a message table. For WM_COMMAND, code is the notification code and id
  // the control id; for WM_NOTIFY, the NMHDR code and idFrom; otherwise both are 0.
  struct MessageEntry {
    UINT message;
    UINT code;
    UINT id;
    Handler handler;
  };
  struct MessageTable {
    const MessageEntry* entries;
    std::size_t count;
  };

  CDialog(UINT templateId, HWND parent);
  virtual ~CDialog();
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Runs the dialog in a modal loop of its own and returns the value given to EndDialog.
  virtual INT_PTR DoModal();
  // Creates the dialog modeless, or as a child when the template has WS_CHILD.
  bool Create(HWND parent);
  // Ends a modal loop; a modeless dialog is destroyed.
  void EndDialog(INT_PTR result);
  bool UpdateData(bool saveAndValidate);
  void DestroyWindow();
  UINT GetTemplateId() const { return m_nTemplateId; }

  // Gives each dialog up the parent chain of msg's window a chance to handle it
  // before it is dispatched; true when one did.
  static bool PreTranslateChain(MSG& msg);
  // The framework's handling of a message taken from the queue, before it would be
  // translated and dispatched: the pre-translation chain, then dialog navigation (Tab,
  // Enter, Esc, mnemonics) by the innermost dialog that holds msg's window, so that Enter
  // and Esc in a child dialog reach that dialog's OK and Cancel. True when the message
  // was used up.
  static bool PreTranslateInput(MSG& msg);
  // The dialog object of a window created by this framework, or null.
  static CDialog* FromHandle(HWND hWnd);

 protected:
  template <class T>
  static constexpr MessageEntry OnMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM, bool&)) {
    return MessageEntry{message, 0, 0, static_cast<Handler>(handler)};
  }
  template <class T>
  static constexpr MessageEntry OnCommand(UINT id, LRESULT (T::*handler)(WPARAM, LPARAM, bool&)) {
    return MessageEntry{WM_COMMAND, BN_CLICKED, id, static_cast<Handler>(handler)};
  }
  template <class T>
  static constexpr MessageEntry OnNotify(UINT id, UINT code, LRESULT (T::*handler)(WPARAM, LPARAM, bool&)) {
    return MessageEntry{WM_NOTIFY, code, id, static_cast<Handler>(handler)};
  }

  virtual MessageTable GetMessageTable() const { return MessageTable{nullptr, 0}; }
  virtual BOOL OnInitDialog();
  virtual void DoDataExchange(CDataExchange&) {}
  // Called before a message bound for this dialog or one of its controls is dispatched.
  virtual bool PreTranslateMessage(MSG&) { return false; }
  virtual void OnOK();
  virtual void OnCancel();
  // Called once the window is gone, after WM_NCDESTROY.
  virtual void OnWindowGone() {}

  HWND m_hParent;  // not owned; null for a modal dialog means the main window

 private:
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  const MessageEntry* FindEntry(UINT message, WPARAM wParam, LPARAM lParam) const;
  void CenterOnOwner() const;

  UINT m_nTemplateId;
  bool m_bInModalLoop = false;
  bool m_bEndRequested = false;
  INT_PTR m_nModalResult = IDCANCEL;
};
