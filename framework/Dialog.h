#pragma once
// The dialog base: creation from a template (modal, modeless or as a child), a message
// table per class, data exchange, and the framework's default OK and Cancel handling.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

#include "framework/DataExchange.h"
#include "framework/Window.h"

class CDialog : public CWnd {
 public:
  // A handler sets handled to false to let the message go on to default handling.
  using Handler = LRESULT (CDialog::*)(WPARAM wParam, LPARAM lParam, bool& handled);
  // Calls a row's handler with the message's parameters in the form that handler takes.
  using Caller = LRESULT (*)(CDialog& dialog, Handler handler, WPARAM wParam, LPARAM lParam, bool& handled);

  // One row of a message table. For WM_COMMAND, code is the notification code and id
  // the control id; for WM_NOTIFY, the NMHDR code and idFrom; otherwise both are 0.
  struct MessageEntry {
    UINT message;
    UINT code;
    UINT id;
    Handler handler;  // null in a notification row: its caller names the typed handler
    Caller call;
  };
  // A table's own rows come first, then those of its base table and the base's base.
  struct MessageTable {
    const MessageEntry* entries;
    std::size_t count;
    const MessageTable* base = nullptr;  // not owned; a table of static storage
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

  // Told of every exception that reaches a dialog procedure, with a line naming the dialog,
  // the message it was handling and the exception, before the exception is dropped.
  using FaultReporter = std::function<void(const std::string& description)>;
  static void SetFaultReporter(FaultReporter reporter);

 protected:
  template <class T>
  static constexpr MessageEntry OnMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM, bool&)) {
    return MessageEntry{message, 0, 0, static_cast<Handler>(handler), &CallHandler};
  }
  template <class T>
  static constexpr MessageEntry OnCommand(UINT id, LRESULT (T::*handler)(WPARAM, LPARAM, bool&)) {
    return MessageEntry{WM_COMMAND, BN_CLICKED, id, static_cast<Handler>(handler), &CallHandler};
  }
  // A notification row whose handler takes the notification's structure: NMHDR, or one
  // that begins with it (NMLVKEYDOWN, NMTREEVIEWA, ...), as the control sends it.
  template <auto handler>
  static constexpr MessageEntry OnNotify(UINT id, UINT code) {
    return MessageEntry{WM_NOTIFY, code, id, nullptr, &CallNotifyHandler<handler>};
  }
  template <std::size_t N>
  static constexpr MessageTable MakeMessageTable(const MessageEntry (&entries)[N], const MessageTable* base = nullptr) {
    return MessageTable{entries, N, base};
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
  void ReportFault(UINT message, WPARAM wParam, LPARAM lParam, const char* what) const;
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  static bool Matches(const MessageEntry& entry, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CallHandler(CDialog& dialog, Handler handler, WPARAM wParam, LPARAM lParam, bool& handled) {
    return (dialog.*handler)(wParam, lParam, handled);
  }
  template <class HandlerType>
  struct NotifyHandlerTraits;
  template <class T, class Info>
  struct NotifyHandlerTraits<LRESULT (T::*)(const Info&)> {
    using Dialog = T;
    using Notification = Info;
  };
  template <auto handler>
  static LRESULT CallNotifyHandler(CDialog& dialog, Handler, WPARAM, LPARAM lParam, bool&) {
    using Traits = NotifyHandlerTraits<decltype(handler)>;
    auto& target = static_cast<typename Traits::Dialog&>(dialog);
    return (target.*handler)(*reinterpret_cast<const typename Traits::Notification*>(lParam));
  }
  const MessageEntry* FindEntry(UINT message, WPARAM wParam, LPARAM lParam) const;
  void CenterOnOwner() const;

  UINT m_nTemplateId;
  bool m_bInModalLoop = false;
  bool m_bEndRequested = false;
  INT_PTR m_nModalResult = IDCANCEL;
};
