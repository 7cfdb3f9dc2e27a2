#pragma once
// The step that puts one source file at its target during a tree copy. Without one the
// tree copy copies every file; a run may hand in its own, which decides per file.
#include <string>

class IFileCopyStep {
 public:
  virtual ~IFileCopyStep() = default;
  // Puts the file source at target, replacing what is there. False on failure, with
  // GetLastError() telling why.
  virtual bool PutFile(const std::string& source, const std::string& target) = 0;
};
