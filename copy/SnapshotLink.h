#pragma once
// The file step of a snapshot run: a file whose target already holds it (same size and
// last-write time) is left alone; one that the previous snapshot holds at the same place
// below its top folder is made a hard link to that copy. Any other file, and one whose
// link the platform refuses, is left to the copy. It counts what it did. The sizes and
// last-write times of source, target and previous files all come from folder listings,
// which spares a look-up a file.
#include <windows.h>

#include <string>

#include "copy/FileCopyStep.h"
#include "copy/FolderListings.h"

class CSnapshotLink : public IFileCopyStep {
 public:
  // topFolder is the run's top folder and previousTop the previous snapshot's, both
  // as the program holds them; an empty previousTop links nothing.
  CSnapshotLink(const std::string& topFolder, const std::string& previousTop);

  bool PlaceWithoutCopy(const std::wstring& target, const ListedFile& file) override;

  long FilesLinked() const { return m_linked; }
  long FilesSkipped() const { return m_skipped; }
  // The sizes of the files linked or left alone, which were not written.
  unsigned long long BytesNotWritten() const { return m_bytesNotWritten; }

 private:
  bool LinkToPrevious(const std::wstring& folder, const std::wstring& target, const ListedFile& file);

  const std::wstring m_topFolder;  // long paths
  const std::wstring m_previousTop;
  CFolderListings m_targets;   // the folders the files are placed in
  CFolderListings m_previous;  // the same folders in the previous snapshot
  long m_linked = 0;
  long m_skipped = 0;
  unsigned long long m_bytesNotWritten = 0;
};
