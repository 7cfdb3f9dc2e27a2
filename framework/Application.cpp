#include "framework/Application.h"

#include <shlwapi.h>

namespace {
CWinApp* g_pApp = nullptr;  // the one application object, not owned
}

CWinApp::CWinApp() {
  g_pApp = this;
  m_profile.SetPath(GetAppName() + ".ini");
}

CWinApp::~CWinApp() {
  if (g_pApp == this) g_pApp = nullptr;
}

CWinApp* CWinApp::Current() { return g_pApp; }

// The program ends when instance initialisation returns: the main dialog's modal
// loop runs inside it, so there is no message loop of the application's own.
int CWinApp::Run() {
  InitInstance();
  return 0;
}

std::string CWinApp::GetAppName() {
  char path[MAX_PATH] = "";
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  ::PathRemoveExtensionA(path);
  return ::PathFindFileNameA(path);
}
