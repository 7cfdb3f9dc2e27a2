#pragma once
// What a copy run shows and asks of its front end: the main dialog with its controls
// and message queue, the console runner with stderr and Ctrl+C, or a test's recorder.
#include <string>

#include "copy/CopyFailure.h"

class ICopyRunView {
 public:
  virtual ~ICopyRunView() = default;

  // The run begins: the front end takes its running look.
  virtual void BeginCopyMode() = 0;
  // The counting pass begins.
  virtual void ShowCounting() = 0;
  // The counting pass found total files; none has been copied yet.
  virtual void SetProgressRange(long total) = 0;
  // The copy of a file large enough to take a while starts; fileName is its bare name.
  // OnFileCopied reports it once it has been copied.
  virtual void OnFileCopyStarting(const char* fileName) = 0;
  // One more file has been copied; fileName is its bare name.
  virtual void OnFileCopied(const char* fileName) = 0;
  // Handles whatever input is waiting, without waiting, or nothing when it did so moments
  // ago; true once the user has asked for an abort in this run.
  virtual bool PumpMessagesAndReadAbort() = 0;
  // The run stopped at an abort; returns when the user has been told.
  virtual void ShowAborted() = 0;
  // An entry of a source path could not be copied; returns when the user has been told.
  // Without keep-going it ends the run, and it is the run's only failure.
  virtual void ShowFailure(const CopyFailure& failure) = 0;
  // A locked file is tried again after a wait; path as a user writes it.
  virtual void OnRetrying(const std::wstring& /*path*/) {}
  // The copy did not enter the folder at path (as a user writes it): a link to elsewhere,
  // or a loop. Nothing is missing because of it, so by default nothing is shown.
  virtual void OnNotFollowed(const std::wstring& /*path*/) {}
  // The run has ended, whichever way: the front end takes its idle look.
  virtual void EndCopyMode() = 0;
};
