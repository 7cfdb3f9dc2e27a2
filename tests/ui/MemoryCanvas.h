#pragma once
// A bitmap of the test's own, selected into a memory DC, that a window paints into on
// WM_ERASEBKGND: every pixel is then known, whatever the screen shows.
#include <windows.h>

class MemoryCanvas {
 public:
  MemoryCanvas(int width, int height)
      : m_screen(::GetDC(nullptr)),
        m_dc(::CreateCompatibleDC(m_screen)),
        m_bitmap(::CreateCompatibleBitmap(m_screen, width, height)),
        m_previous(::SelectObject(m_dc, m_bitmap)) {}
  ~MemoryCanvas() {
    ::SelectObject(m_dc, m_previous);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
    ::ReleaseDC(nullptr, m_screen);
  }
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  // What window returns when asked to erase its background onto the canvas.
  LRESULT EraseWith(HWND window) const {
    return ::SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(m_dc), 0);
  }
  HDC Dc() const { return m_dc; }
  COLORREF Pixel(int x, int y) const { return ::GetPixel(m_dc, x, y); }

 private:
  HDC m_screen;
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_previous;
};
