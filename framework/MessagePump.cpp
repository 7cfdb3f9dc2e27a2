#include "framework/MessagePump.h"

#include <windows.h>

#include "framework/Dialog.h"

// Unicode like the modal loop, so that typed double-byte characters arrive intact.
void PumpWaitingMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (CDialog::PreTranslateInput(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}
