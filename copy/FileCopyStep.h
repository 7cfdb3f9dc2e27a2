#pragma once
// A step that may put a source file at its target without copying its data, tried by a
// copy run before each file; a file it does not place is copied as usual.
#include <string>

#include "copy/TreeCopy.h"

class IFileCopyStep {
 public:
  virtual ~IFileCopyStep() = default;
  // True when target holds the data of the file that the listing described as file
  // afterwards, without a copy of it; false leaves the file to the copy.
  virtual bool PlaceWithoutCopy(const std::string& target, const ListedFile& file) = 0;
};
