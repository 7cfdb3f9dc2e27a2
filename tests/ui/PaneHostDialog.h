#pragma once
// A small dialog that hosts one pane in a test, in place of the main dialog: it holds a
// folder map and a busy flag and records what the pane asks of it.
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "res/resource.h"
#include "ui/PaneHost.h"

class CPaneHostDialog : public CDialog, public IPaneHost {
 public:
  CPaneHostDialog() : CDialog(IDD_ABOUTBOX, nullptr) { Create(nullptr); }

  bool IsBusy() const override { return busy; }
  CFolderMap& GetFolderMap() override { return folders; }
  const std::string& GetWorkDir() const override { return workDir; }
  int GetClientHeight() const override { return RectHeight(GetClientRect()); }
  void ShowSourceList(const std::string& key) override { shownKeys.push_back(key); }
  void RecalcLayout() override { ++layouts; }
  void InvalidateHost() override {}
  void DeleteAllExclusions() override { exclusions.clear(); }
  void AppendExclusion(const std::string& name) override { exclusions.push_back(name); }
  void PlanChanged() override { ++planChanges; }

  // Creates pane, made with this dialog as its host, as this dialog's child, the way the
  // main dialog creates its panes.
  template <class Pane>
  void Host(Pane& pane) {
    pane.Create(m_hWnd);
    pane.ShowWindow(SW_SHOW);
  }

  bool busy = false;
  CFolderMap folders;
  std::string workDir = "C:\\work\\";
  std::vector<std::string> shownKeys;
  int layouts = 0;
  std::vector<std::string> exclusions;
  int planChanges = 0;
};
