#pragma once
// The plan file writer: a fixed layout, one element per line, CR LF line ends, every
// value inserted exactly as held (nothing escaped).
#include <string>
#include <vector>

#include "plan/FolderMap.h"

// Moves the file from over the file to, replacing it; false when it could not.
using ReplaceFileFn = bool (*)(const std::string& from, const std::string& to);

// The text of the plan file: the folders in walk order, cleared entries left out.
std::string FormatPlan(const std::string& desRoot, const CFolderMap& folders,
                       const std::vector<std::string>& exclusions);

// The temporary file of a save is path followed by this.
constexpr char kTemporarySuffix[] = ".tmp";

// Writes text to path + kTemporarySuffix and, once every byte is written and the file closed,
// puts it in place of path with replace. On any failure path keeps its previous
// content and the temporary file is removed. False when the file was not replaced.
bool WriteFileReplacing(const std::string& path, const std::string& text, ReplaceFileFn replace);

// Writes the plan file at path through WriteFileReplacing.
bool SavePlan(const std::string& path, const std::string& desRoot, const CFolderMap& folders,
              const std::vector<std::string>& exclusions, ReplaceFileFn replace);

// The replace step through std::rename, which replaces an existing file on POSIX
// systems only (Windows uses MoveFileReplacing of ui/FileMove.h).
bool RenameReplacing(const std::string& from, const std::string& to);
