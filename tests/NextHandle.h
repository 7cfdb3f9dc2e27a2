#pragma once
#include <windows.h>

// The value the next new handle gets; it moves when a search stays open.
inline HANDLE NextHandle() {
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  CloseHandle(event);
  return event;
}
