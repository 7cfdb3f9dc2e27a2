#pragma once
// The plan file writer: a fixed layout, one element per line, CR LF line ends, every
// value inserted exactly as held (nothing escaped).
#include <string>
#include <vector>

#include "plan/FolderMap.h"

// The platform's side of a safe save.
struct SaveFileOps {
  // Creates path as a new empty file; false when it exists already or cannot be made.
  bool (*createNew)(const std::string& path);
  // Moves the file from over the file to, replacing it; false when it could not.
  bool (*replace)(const std::string& from, const std::string& to);
};

// The text of the plan file: the folders in walk order, cleared entries left out.
std::string FormatPlan(const std::string& desRoot, const CFolderMap& folders,
                       const std::vector<std::string>& exclusions);

// The name of the temporary file of a save's attempt, in the folder of path: "~sk" and the
// attempt in four hex digits with ".tmp", or, where the target's own name is shorter, the
// attempt in as many hex digits as that name has, so that the temporary path is never
// longer than the target's. Empty when the attempt does not fit into those digits.
std::string TemporaryPathFor(const std::string& path, unsigned attempt);

// Writes text to a new temporary file beside path (the first attempt that createNew makes)
// and, once every byte is written and the file closed, puts it in place of path. On any
// failure path keeps its previous content and the temporary file is removed; an existing
// file of another name is never touched. False when the file was not replaced.
bool WriteFileReplacing(const std::string& path, const std::string& text, const SaveFileOps& ops);

// Writes the plan file at path through WriteFileReplacing.
bool SavePlan(const std::string& path, const std::string& desRoot, const CFolderMap& folders,
              const std::vector<std::string>& exclusions, const SaveFileOps& ops);

// The host's operations: exclusive creation through fopen's "x" mode, and std::rename,
// which replaces an existing file on POSIX systems only (Windows uses platform/FileMove.h).
extern const SaveFileOps kStandardSaveFileOps;
