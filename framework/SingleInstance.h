#pragma once
// One window per name: the first start holds a named mutex and marks its main window with
// a property of the same name; a later start with that name finds the marked window,
// brings it to the front and ends instead of opening its own.
#include <windows.h>

#include <string>

class CSingleInstance {
 public:
  // name: a kernel object name, such as "Local\\Program.key"; at most 255 bytes.
  explicit CSingleInstance(std::string name);
  ~CSingleInstance();
  CSingleInstance(const CSingleInstance&) = delete;
  CSingleInstance& operator=(const CSingleInstance&) = delete;

  // False while another process holds the name.
  bool IsFirst() const { return m_bFirst; }
  // Called by a later start: waits for the first start's marked window, restores it when
  // minimised and brings it (or the dialog it shows) to the front. When the first start
  // ends meanwhile, this one becomes the first and the result is false: it opens its own
  // window. True when the first one was brought forward or never showed a window.
  bool BringFirstForward();
  // Marks window as the one a later start brings forward; unmark it before it is destroyed.
  void MarkWindow(HWND window) const;
  void UnmarkWindow(HWND window) const;

 private:
  std::string m_strName;
  HANDLE m_hMutex;  // owned; held by the first start until it ends
  bool m_bFirst;

  HWND FindMarkedWindow() const;
};
