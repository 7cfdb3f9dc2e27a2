#include "framework/SingleInstance.h"

#include <utility>

namespace {

// How long a later start waits for the first one's window: it may still be starting.
const int kWindowWaits = 50;
const DWORD kWindowWaitMilliseconds = 100;

struct MarkSearch {
  const char* name;
  HWND found;
};

BOOL CALLBACK MatchMarkedWindow(HWND window, LPARAM lParam) {
  MarkSearch* search = reinterpret_cast<MarkSearch*>(lParam);
  if (!::GetPropA(window, search->name)) return TRUE;
  search->found = window;
  return FALSE;
}

bool Acquired(DWORD waitResult) { return waitResult == WAIT_OBJECT_0 || waitResult == WAIT_ABANDONED; }

}  // namespace

// The mutex is created owned: when the first start ends, however it ends, the mutex is
// released or abandoned, and a later start waiting on it takes it over.
CSingleInstance::CSingleInstance(std::string name)
    : m_strName(std::move(name)), m_hMutex(::CreateMutexA(nullptr, TRUE, m_strName.c_str())) {
  m_bFirst = m_hMutex == nullptr || ::GetLastError() != ERROR_ALREADY_EXISTS;
}

CSingleInstance::~CSingleInstance() {
  if (!m_hMutex) return;
  if (m_bFirst) ::ReleaseMutex(m_hMutex);
  ::CloseHandle(m_hMutex);
}

bool CSingleInstance::BringFirstForward() {
  for (int wait = 0; wait < kWindowWaits; ++wait) {
    if (HWND window = FindMarkedWindow()) {
      if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
      ::SetForegroundWindow(::GetLastActivePopup(window));
      return true;
    }
    if (Acquired(::WaitForSingleObject(m_hMutex, kWindowWaitMilliseconds))) {
      m_bFirst = true;
      return false;
    }
  }
  return true;
}

void CSingleInstance::MarkWindow(HWND window) const { ::SetPropA(window, m_strName.c_str(), window); }

void CSingleInstance::UnmarkWindow(HWND window) const { ::RemovePropA(window, m_strName.c_str()); }

HWND CSingleInstance::FindMarkedWindow() const {
  MarkSearch search{m_strName.c_str(), nullptr};
  ::EnumWindows(MatchMarkedWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
