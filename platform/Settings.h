#pragma once
// The settings file "Sheafkeeper.ini" in the working folder: four sizes in pixels and
// the choice to link unchanged files.

constexpr char kSettingsFileName[] = "Sheafkeeper.ini";
constexpr char kSettingsSection[] = "SHEAFKEEPER";

struct Setting {
  const char* key;
  int defaultValue;
};

constexpr Setting kDesPaneWidth{"LX", 300};   // outer width of the destination folder pane
constexpr Setting kSrcPaneHeight{"RY", 225};  // outer height of the source list pane
constexpr Setting kWindowWidth{"CX", 600};    // outer width of the main window
constexpr Setting kWindowHeight{"CY", 450};   // outer height of the main window
// 1: Start hard-links each file unchanged since the previous dated folder instead of copying it.
constexpr Setting kLinkUnchanged{"LK", 0};

// The stored value, or the default when the file, the section or the key is missing.
int ReadSetting(const Setting& setting);
// Stores value; a failure to write is ignored.
void WriteSetting(const Setting& setting, int value);
