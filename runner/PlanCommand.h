#pragma once
// What the console runner does with its command line: reads the plan file with the
// window's reader and copies it with the window's copy run, or only counts it.

// The exit codes, for a scheduler or a script to test.
enum RunnerExitCode {
  kExitSuccess = 0,     // the whole plan was copied (or counted, or the usage shown)
  kExitFailed = 1,      // a source path could not be copied, the reader skipped a folder
                        // element, or a dry run found what the run would fail on
  kExitAborted = 2,     // stopped by Ctrl+C or Ctrl+Break
  kExitPlanUnread = 3,  // the plan could not be read or holds nothing to copy, or the
                        // command line was wrong
};

// Runs the command line; progress, messages and the summary go to stderr, the usage
// and the listing of a dry run to stdout.
int RunPlanCommand(int argc, const char* const* argv);
