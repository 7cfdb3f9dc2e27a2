#pragma once
// A step that may put a source file at its target without copying its data, tried by a
// copy run before each file; a file it does not place is copied as usual.
#include <string>

#include "copy/TreeCopyJob.h"

class IFileCopyStep {
 public:
  virtual ~IFileCopyStep() = default;
  // True when target holds the data of the file that the listing described as file
  // afterwards (a long path), without a copy of it; false leaves the file to the copy.
  virtual bool PlaceWithoutCopy(const std::wstring& target, const ListedFile& file) = 0;
};
