#include <windows.h>

#include "app/SheafkeeperApp.h"

namespace {
CSheafkeeperApp theApp;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return theApp.Run(); }
