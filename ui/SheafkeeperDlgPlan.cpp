#include "ui/SheafkeeperDlg.h"

void CSheafkeeperDlg::SavePlan(const std::string&) {}
