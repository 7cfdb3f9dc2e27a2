#pragma once
// A main dialog created modeless in a temporary working folder, with its settings file
// there and the scripted modal UI installed.
#include <gtest/gtest.h>

#include <memory>

#include "ScriptedModalUi.h"
#include "CurrentFolder.h"
#include "DialogParts.h"
#include "app/SheafkeeperApp.h"
#include "platform/WorkingFolder.h"
#include "ui/SheafkeeperDlg.h"

// The rectangle of a child window in the client coordinates of its parent.
inline RECT ChildRect(HWND child) {
  RECT rect{};
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}
inline RECT ChildRect(const CWnd& child) { return ChildRect(child.GetSafeHwnd()); }

class MainDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    m_current = std::make_unique<CurrentFolder>(m_folder.Folder());
    m_app.UseSettingsFileIn(GetWorkingFolder());
  }
  void TearDown() override {
    if (m_dialog) m_dialog->ShowWindow(SW_HIDE);
    m_dialog.reset();
    m_current.reset();
  }

  CSheafkeeperDlg& Open() {
    m_dialog = std::make_unique<CSheafkeeperDlg>(nullptr);
    EXPECT_TRUE(m_dialog->Create(nullptr));
    return *m_dialog;
  }

  void Click(int id) { m_dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

  // The plan path the dialog keeps: the name that Save suggests, asked with Save cancelled
  // and the request forgotten again.
  std::string PlanPath() {
    const std::string answer = m_ui.fileAnswer;
    m_ui.fileAnswer.clear();
    Click(IDC_SAVE);
    m_ui.fileAnswer = answer;
    if (m_ui.fileRequests.empty()) return "(no request)";
    const std::string path = m_ui.fileRequests.back().initialName;
    m_ui.fileRequests.pop_back();
    return path;
  }

  testfs::TempFolder m_folder;
  std::unique_ptr<CurrentFolder> m_current;
  CSheafkeeperApp m_app;
  ScriptedModalUi m_ui;
  std::unique_ptr<CSheafkeeperDlg> m_dialog;
};

inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& out, const RECT& rect) {
  return out << "(" << rect.left << ", " << rect.top << ")-(" << rect.right << ", " << rect.bottom << ")";
}
