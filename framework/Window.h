#pragma once
// A thin, non-owning wrapper of one window handle; the control wrappers derive from it.
#include <windows.h>

#include <string>

class CWnd {
 public:
  CWnd() = default;
  explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}

  HWND GetSafeHwnd() const { return m_hWnd; }
  void Attach(HWND hWnd) { m_hWnd = hWnd; }
  bool IsWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd); }

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  void ShowWindow(int command) const { ::ShowWindow(m_hWnd, command); }
  bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
  RECT GetWindowRect() const {
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
  }
  RECT GetClientRect() const {
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
  }
  // Moves and sizes the window, keeping its z-order.
  void MoveWindow(int x, int y, int width, int height) const {
    ::SetWindowPos(m_hWnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // Sizes the window, keeping its position and z-order.
  void SetSize(int width, int height) const {
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // Moves the window, keeping its size and z-order.
  void SetPosition(int x, int y) const {
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void Invalidate(bool erase = true) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
  void SetWindowText(const std::string& text) const { ::SetWindowTextA(m_hWnd, text.c_str()); }
  std::string GetWindowText() const {
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(m_hWnd)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(m_hWnd, &text[0], static_cast<int>(text.size()))));
    return text;
  }
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

 protected:
  HWND m_hWnd = nullptr;  // not owned
};

// Outer width and height of a rectangle.
inline int RectWidth(const RECT& rect) { return rect.right - rect.left; }
inline int RectHeight(const RECT& rect) { return rect.bottom - rect.top; }
