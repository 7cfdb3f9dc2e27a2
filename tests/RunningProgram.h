#pragma once
// The real program started in a working folder of its own, as a user starts it, with
// its main window found, and ended the way a user ends it.
#include <windows.h>

#include <string>

#include "KeyPress.h"

// Waits up to 30 seconds for done to hold, looking every 50 ms.
template <typename Done>
bool WaitFor(Done done) {
  for (int attempt = 0; attempt < 600; ++attempt) {
    if (done()) return true;
    ::Sleep(50);
  }
  return done();
}

// A program built beside the test programs.
inline std::string ProgramPath(const char* name = "Sheafkeeper.exe") {
  char path[MAX_PATH] = "";
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

struct FindRequest {
  DWORD processId;
  HWND found;
};

inline BOOL CALLBACK MatchMainWindow(HWND window, LPARAM lParam) {
  FindRequest* request = reinterpret_cast<FindRequest*>(lParam);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  char caption[64] = "";
  ::GetWindowTextA(window, caption, sizeof(caption));
  if (processId != request->processId || std::string(caption) != "Sheafkeeper" || !::IsWindowVisible(window)) {
    return TRUE;
  }
  request->found = window;
  return FALSE;
}

// The program started in folder, until it is ended by Esc. A start that is to open no
// window of its own is not waited for.
class RunningProgram {
 public:
  explicit RunningProgram(const std::string& folder, bool opensWindow = true) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string command = "\"" + ProgramPath() + "\"";
    m_started = ::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                                 &startup, &m_process) != FALSE;
    if (!m_started || !opensWindow) return;
    ::WaitForInputIdle(m_process.hProcess, 10000);
    for (int attempt = 0; attempt < 200 && !m_window; ++attempt) {
      FindRequest request{m_process.dwProcessId, nullptr};
      ::EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&request));
      m_window = request.found;
      if (!m_window) ::Sleep(50);
    }
  }
  ~RunningProgram() {
    if (!m_started) return;
    if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(m_process.hProcess, 1);
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
  }

  HWND Window() const { return m_window; }
  HWND Child(const char* caption) const { return ::FindWindowExA(m_window, nullptr, nullptr, caption); }

  // Presses Esc in the main window and waits for the program to end.
  bool EndWithEsc() const {
    PostKeyPress(m_window, VK_ESCAPE);
    return EndsWithin(20000);
  }
  bool EndsWithin(DWORD milliseconds) const {
    return ::WaitForSingleObject(m_process.hProcess, milliseconds) == WAIT_OBJECT_0;
  }
  DWORD ExitCode() const {
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    return code;
  }
  // Ends the process at once, as a crash would: nothing of its own runs any more.
  bool Kill() const {
    ::TerminateProcess(m_process.hProcess, 9);
    return EndsWithin(20000);
  }

 private:
  bool m_started = false;
  PROCESS_INFORMATION m_process{};
  HWND m_window = nullptr;
};
