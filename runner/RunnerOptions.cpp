#include "runner/RunnerOptions.h"

const char kRunnerUsage[] =
    "Usage: SheafkeeperRun.exe [options] [PLAN]\n"
    "Copies the backup plan of the plan file PLAN (by default temp.xml in the current\n"
    "folder, the plan the window keeps) as the window's Start button does, without a window.\n"
    "\n"
    "Options:\n"
    "  --dry-run  count the files and list each destination folder with its source paths\n"
    "             and their file counts; copy nothing\n"
    "  --quiet    no progress and no summary, only errors\n"
    "  --skip-unchanged\n"
    "             leave a file whose copy already exists with the same size and\n"
    "             last-write time (a second run on the same day)\n"
    "  --link-unchanged\n"
    "             the same, and hard-link a file that the newest earlier dated folder\n"
    "             beside the top folder holds unchanged instead of copying it again\n"
    "  --help     show this text\n"
    "\n"
    "Exit codes: 0 the whole plan was copied; 1 a source path could not be copied;\n"
    "2 stopped by Ctrl+C or Ctrl+Break; 3 the plan could not be read, or a bad option.\n";

bool ParseRunnerOptions(int argc, const char* const* argv, RunnerOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--dry-run") {
      options.dryRun = true;
    } else if (argument == "--quiet") {
      options.quiet = true;
    } else if (argument == "--skip-unchanged") {
      options.skipUnchanged = true;
    } else if (argument == "--link-unchanged") {
      options.linkUnchanged = options.skipUnchanged = true;
    } else if (argument == "--help") {
      options.help = true;
    } else if (argument.size() > 1 && argument[0] == '-') {
      error = "unknown option " + argument;
      return false;
    } else if (options.planGiven) {
      error = "more than one plan file: " + options.planPath + " and " + argument;
      return false;
    } else {
      options.planGiven = true;
      options.planPath = argument;
    }
  }
  return true;
}
