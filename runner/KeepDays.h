#pragma once
// --keep N: after a good run, the oldest dated folders beside the top folder are removed
// until N are left.
#include <string>

class CRunLog;

// Removes folders directly under desRoot named by a date before today, oldest first, until
// keep folders named by a date are left, today's included; nothing else. topName is the
// plan's top folder name: when it is a date, it is today's, counted even where a dry run
// has not made it. Each removal is a line on stderr (none with quiet) and in the log; with
// dryRun nothing is removed and each folder it would remove is listed on stdout. False
// when a removal failed, which stops the removing and is reported with its reason.
bool KeepNewestDays(const std::string& desRoot, const std::string& topName, int keep, bool dryRun, bool quiet,
                    CRunLog& log);
