#include "platform/Settings.h"

#include "framework/Application.h"

int ReadSetting(const Setting& setting) {
  CWinApp* app = CWinApp::Current();
  return app ? app->GetProfileInt(kSettingsSection, setting.key, setting.defaultValue) : setting.defaultValue;
}

void WriteSetting(const Setting& setting, int value) {
  if (CWinApp* app = CWinApp::Current()) app->WriteProfileInt(kSettingsSection, setting.key, value);
}
