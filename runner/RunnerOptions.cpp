#include "runner/RunnerOptions.h"

const char kRunnerUsage[] =
    "Usage: SheafkeeperRun.exe [options] [PLAN]\n"
    "Copies the backup plan of the plan file PLAN (by default temp.xml in the current\n"
    "folder, the plan the window keeps) as the window's Start button does, without a window.\n"
    "\n"
    "Options:\n"
    "  --dry-run     count the files and list each destination folder with its source paths\n"
    "                and their file counts, then each exclusion with the files and folders\n"
    "                it left out, then what the copy would fail on; copy nothing\n"
    "  --quiet       no progress and no summary, only errors\n"
    "  --keep-going  go on past a file or folder that cannot be copied, instead of stopping:\n"
    "                every other one is copied, each failure is named with its reason and\n"
    "                the summary counts them\n"
    "  --retries N   try a file that another program holds locked N more times (2)\n"
    "  --retry-wait SECONDS\n"
    "                wait this long before each of those tries (1)\n"
    "  --log FILE    append to FILE (UTF-8) a dated line when the run starts and when it\n"
    "                ends, and one for each failure with its reason; also with --quiet\n"
    "  --skip-unchanged\n"
    "                leave a file whose copy already exists with the same size and\n"
    "                last-write time (a second run on the same day)\n"
    "  --link-unchanged\n"
    "                the same, and hard-link a file that the newest earlier dated folder\n"
    "                beside the top folder holds unchanged instead of copying it again\n"
    "  --keep N      after a run that copied the whole plan, remove the oldest folders\n"
    "                beside the top folder named by a date (yyyy-mm-dd) until N are left,\n"
    "                today's included; with --dry-run, list them instead\n"
    "  --help, /?    show this text\n"
    "  --version     show the version\n"
    "\n"
    "Exit codes: 0 the whole plan was copied; 1 a source path could not be copied, a\n"
    "folder element of the plan was skipped, or the dry run found what the copy would fail\n"
    "on; 2 stopped by Ctrl+C or Ctrl+Break; 3 the plan could not be read or holds nothing\n"
    "to copy, or a bad option.\n";

namespace {

bool IsHelpOption(const std::string& argument) {
  for (const char* help : {"--help", "/?", "-?", "-h", "/h"}) {
    if (argument == help) return true;
  }
  return false;
}

void Append(std::string& text, const std::string& argument) {
  text += (text.empty() ? "" : " ") + argument;
}

// Reads the value after the option at argv[i] into value; false with a reason when there
// is none. A number must be a whole number from lowest to highest.
bool ReadValue(int argc, const char* const* argv, int& i, std::string& value, std::string& error) {
  if (++i == argc) {
    error = std::string(argv[i - 1]) + " needs a value";
    return false;
  }
  value = argv[i];
  return true;
}

bool ReadNumber(int argc, const char* const* argv, int& i, int& number, int lowest, int highest,
                std::string& error) {
  std::string value;
  if (!ReadValue(argc, argv, i, value, error)) return false;
  const bool digits = !value.empty() && value.size() <= 5 && value.find_first_not_of("0123456789") == std::string::npos;
  number = digits ? std::stoi(value) : -1;
  if (number >= lowest && number <= highest) return true;
  error = std::string(argv[i - 1]) + " takes a whole number from " + std::to_string(lowest) + " to " +
          std::to_string(highest) + ", not " + value;
  return false;
}

}  // namespace

bool ParseRunnerOptions(int argc, const char* const* argv, RunnerOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const bool isOption = IsHelpOption(argument) || (argument.size() > 1 && argument[0] == '-');
    if (isOption) Append(options.given, argument);
    if (argument == "--dry-run") {
      options.dryRun = true;
    } else if (argument == "--quiet") {
      options.quiet = true;
    } else if (argument == "--keep-going") {
      options.keepGoing = true;
    } else if (argument == "--skip-unchanged") {
      options.skipUnchanged = true;
    } else if (argument == "--link-unchanged") {
      options.linkUnchanged = options.skipUnchanged = true;
    } else if (argument == "--log") {
      if (!ReadValue(argc, argv, i, options.logPath, error)) return false;
      Append(options.given, options.logPath);
    } else if (argument == "--retries" || argument == "--retry-wait") {
      int& number = argument == "--retries" ? options.retries : options.retryWaitSeconds;
      if (!ReadNumber(argc, argv, i, number, 0, 3600, error)) return false;
      Append(options.given, argv[i]);
    } else if (argument == "--keep") {
      if (!ReadNumber(argc, argv, i, options.keepDays, 1, 99999, error)) return false;
      Append(options.given, argv[i]);
    } else if (argument == "--version") {
      options.version = true;
    } else if (IsHelpOption(argument)) {
      options.help = true;
    } else if (isOption) {
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
