#pragma once
// What a pane may use of the window that holds it: the busy flag, the plan's folder map
// and exclusion list, the working folder, and the two calls back into the main dialog.
// The main dialog implements it; a test can host a pane in a small dialog of its own.
#include <string>

#include "plan/FolderMap.h"

class IPaneHost {
 public:
  virtual ~IPaneHost() = default;

  // True while a copy run is active: every handler that would change the plan does nothing.
  virtual bool IsBusy() const = 0;
  virtual CFolderMap& GetFolderMap() = 0;
  // The working folder, ending in a backslash.
  virtual const std::string& GetWorkDir() const = 0;
  // The host's client height from its last WM_SIZE.
  virtual int GetClientHeight() const = 0;

  // Makes the source pane show the source list of key (empty key: nothing).
  virtual void ShowSourceList(const std::string& key) = 0;
  // Places the panes and the other controls again, then repaints the host.
  virtual void RecalcLayout() = 0;
  virtual void InvalidateHost() = 0;

  // The exclusion list's rows, as the plan reader replaces them.
  virtual void DeleteAllExclusions() = 0;
  virtual void AppendExclusion(const std::string& name) = 0;

  // Called after each change a user makes to the plan, so that it is saved soon.
  virtual void PlanChanged() = 0;
};
