#pragma once
// The file step of a snapshot run: a file whose target already holds it (same size and
// last-write time) is left alone; one that the previous snapshot holds at the same place
// below its top folder is made a hard link to that copy; any other is copied. A link that
// the platform refuses falls back to a copy. It counts what it did.
#include <windows.h>

#include <string>

#include "copy/FileCopyStep.h"

class CSnapshotLink : public IFileCopyStep {
 public:
  // topFolder is the run's top folder and previousTop the previous snapshot's, both
  // absolute with "\\" separators; an empty previousTop links nothing.
  CSnapshotLink(std::string topFolder, std::string previousTop);

  bool PutFile(const std::string& source, const std::string& target) override;

  long FilesCopied() const { return m_copied; }
  long FilesLinked() const { return m_linked; }
  long FilesSkipped() const { return m_skipped; }
  // The sizes of the files copied; a link or a skipped file writes no data.
  unsigned long long BytesWritten() const { return m_bytesWritten; }

 private:
  bool LinkToPrevious(const WIN32_FILE_ATTRIBUTE_DATA& source, const std::string& target) const;

  const std::string m_topFolder;
  const std::string m_previousTop;
  long m_copied = 0;
  long m_linked = 0;
  long m_skipped = 0;
  unsigned long long m_bytesWritten = 0;
};
