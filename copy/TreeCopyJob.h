#pragma once
// What one count or copy of a source path needs besides the paths: what to leave out, when
// to stop, how to copy a file, and whom to tell what happened.
#include <string>
#include <vector>

#include "copy/CopyFailure.h"

class CDestinationRoot;
class IFileCopyStep;

// What the folder listing told of a file.
struct ListedFile {
  const wchar_t* name;               // the bare name
  unsigned long long size;
  unsigned long long lastWriteTime;  // the 64 bits of its FILETIME
};

// Told of each entry that a count or copy meets; every call is optional.
class ITreeCopyObserver {
 public:
  virtual ~ITreeCopyObserver() = default;
  // The count found file.
  virtual void OnFileCounted(const ListedFile& /*file*/) {}
  // The count left out a file or folder for the exclusion at this index.
  virtual void OnExcluded(std::size_t /*exclusion*/) {}
  // The copy copied file, or its snapshot step placed it.
  virtual void OnFileCopied(const ListedFile& /*file*/) {}
  // The entry that made the count or the copy fail, with the error of its step.
  virtual void OnFailed(const FailedEntry& /*entry*/) {}
  // A folder that was not entered: a link to elsewhere, or a folder that is one of the
  // folders above it (a loop). path is as a user writes it.
  virtual void OnNotFollowed(const std::wstring& /*path*/) {}
};

// Copies one file; the copy run copies a large one on a worker thread.
class IFileCopier {
 public:
  virtual ~IFileCopier() = default;
  // Copies source to target, replacing an existing target only by a complete copy; false
  // with GetLastError() telling why.
  virtual bool CopyFile(const std::wstring& source, const std::wstring& target, const ListedFile& file) = 0;
};

class CTreeCopyJob {
 public:
  // Exclusions as the plan holds them (Shift-JIS), converted once.
  void Exclude(const std::vector<std::string>& exclusions);
  const std::vector<std::wstring>& Exclusions() const { return m_exclusions; }

  // When *abortFlag is 1 before an entry of a folder listing, the walk stops there. Null
  // never stops.
  const int* abortFlag = nullptr;
  // Left out wherever the walk meets it, so that a backup is never copied into itself.
  const CDestinationRoot* root = nullptr;
  // Tried before each file; a file it places is not copied. Null copies every file.
  IFileCopyStep* step = nullptr;
  // Copies each file; null copies with CopyFileSafely.
  IFileCopier* copier = nullptr;
  // Null tells nobody.
  ITreeCopyObserver* observer = nullptr;
  // An entry that cannot be copied no longer ends the copy: every other one is copied, each
  // failed one is told to the observer, and the copy fails at its end.
  bool keepGoing = false;

 private:
  std::vector<std::wstring> m_exclusions;
};
