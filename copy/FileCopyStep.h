#pragma once
// A step that may put a source file at its target without copying its data, tried by a
// copy run before each file; a file it does not place is copied as usual.
#include <string>

class IFileCopyStep {
 public:
  virtual ~IFileCopyStep() = default;
  // True when target holds the data of source afterwards without a copy of it; false
  // leaves the file to the copy.
  virtual bool PlaceWithoutCopy(const std::string& source, const std::string& target) = 0;
};
