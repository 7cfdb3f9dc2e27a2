// SheafkeeperRun.exe: copies a plan file from the command line or the Task Scheduler.
#include "runner/PlanCommand.h"

int main(int argc, char** argv) {
  return RunPlanCommand(argc, argv);
}
