#pragma once
// A key pressed and released as the keyboard posts it to the focused window; the test's
// message loop delivers it.
#include <windows.h>

inline void PostKeyPress(HWND window, WPARAM key) {
  ::PostMessageA(window, WM_KEYDOWN, key, 1);
  ::PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}
