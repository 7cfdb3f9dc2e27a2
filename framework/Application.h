#pragma once
// The application base: one object per program, created as a global. WinMain hands
// control to Run, which calls InitInstance; the program ends when that returns.
#include <windows.h>

#include <string>

#include "framework/Profile.h"
#include "framework/Window.h"

class CWinApp {
 public:
  CWinApp();
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  static CWinApp* Current();

  int Run();
  virtual bool InitInstance() { return true; }

  // The program file's name without folder and extension: the caption of message boxes.
  static std::string GetAppName();
  HWND GetMainWindow() const { return m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr; }

  int GetProfileInt(const char* section, const char* key, int defaultValue) const {
    return m_profile.GetInt(section, key, defaultValue);
  }
  void WriteProfileInt(const char* section, const char* key, int value) const {
    m_profile.WriteInt(section, key, value);
  }

  CWnd* m_pMainWnd = nullptr;  // not owned
  CProfile m_profile;
};
