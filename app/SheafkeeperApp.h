#pragma once
#include <string>

#include "framework/Application.h"

class CSheafkeeperApp : public CWinApp {
 public:
  // Runs the main dialog modally; returns false, so the program ends afterwards.
  bool InitInstance() override;
  // Points the settings to "Sheafkeeper.ini" in folder (which ends in a backslash).
  void UseSettingsFileIn(const std::string& folder);
};
