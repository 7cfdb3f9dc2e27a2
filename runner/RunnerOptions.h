#pragma once
// The command line of the console runner: SheafkeeperRun.exe [options] [PLAN].
#include <string>

struct RunnerOptions {
  bool dryRun = false;     // count and list, copy nothing
  bool quiet = false;      // no progress and no summary, only errors
  bool keepGoing = false;  // a failed entry does not end the run
  int retries = 2;           // further tries of a file another program holds locked
  int retryWaitSeconds = 1;  // the wait before each of them
  bool help = false;
  bool version = false;  // print the program's name and version
  bool skipUnchanged = false;  // leave a target that already holds its file (same size and last-write time)
  bool linkUnchanged = false;  // hard-link files unchanged since the previous dated snapshot; implies skipUnchanged
  int keepDays = 0;  // --keep N: dated folders left after a good run; 0 removes none
  bool planGiven = false;
  std::string planPath;  // when none is given: temp.xml in the working folder
  std::string logPath;   // the log to append to; empty for none
  std::string given;     // the options as typed, for the log
};

extern const char kRunnerUsage[];

// Reads the arguments after the program name; false with a one-line reason for an
// unknown option, an option without its value or a second plan file.
bool ParseRunnerOptions(int argc, const char* const* argv, RunnerOptions& options, std::string& error);
