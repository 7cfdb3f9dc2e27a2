#include "copy/TreeCopy.h"

#include <windows.h>

#include <algorithm>

#include "copy/DestinationRoot.h"
#include "copy/EntryLookup.h"
#include "copy/FileCopyStep.h"
#include "copy/LongPath.h"
#include "copy/SafeFileCopy.h"
#include "copy/WideText.h"
#include "plan/ExclusionMatch.h"
#include "plan/ShiftJis.h"

// Every entry below a source folder is reached by its long path, made of the names its
// folder's listing reported, so the listing tells all that a look-up would. When the
// platform finds a file or its destination folder missing, or denies access, while it is
// being copied, the entry goes the whole way after all (looked up by its path, its
// destination folder made again), so that races end as they would for a source path.

namespace {

bool IsFolder(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

unsigned long long Join(DWORD high, DWORD low) {
  return (static_cast<unsigned long long>(high) << 32) | low;
}

ListedFile ListedFileOf(const WIN32_FIND_DATAW& entry) {
  return ListedFile{entry.cFileName, Join(entry.nFileSizeHigh, entry.nFileSizeLow),
                    Join(entry.ftLastWriteTime.dwHighDateTime, entry.ftLastWriteTime.dwLowDateTime)};
}

// Errors after which the whole way may still succeed or must decide the result itself.
bool IsNotThereOrDenied(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_ACCESS_DENIED;
}

// A folder by its volume and file index, the same under every name that leads to it.
struct FolderIdentity {
  DWORD volume;
  unsigned long long index;
  bool operator==(const FolderIdentity& other) const { return volume == other.volume && index == other.index; }
};

// False when the folder cannot be opened to ask; the listing then decides.
bool IdentityOf(const std::wstring& folder, FolderIdentity& identity) {
  HANDLE handle = ::CreateFileW(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION information;
  const bool known = ::GetFileInformationByHandle(handle, &information) != FALSE;
  ::CloseHandle(handle);
  identity = FolderIdentity{information.dwVolumeSerialNumber, Join(information.nFileIndexHigh, information.nFileIndexLow)};
  return known;
}

// "\\?\X:" or "\\?\UNC\server\share": the part of a long path that no folder creation reaches.
std::wstring VolumeOf(const std::wstring& longPath) {
  const std::wstring shown = ShownPathOf(longPath);
  std::size_t end = 2;
  if (shown.compare(0, 2, L"\\\\") == 0) {
    end = shown.find(L'\\', 2);
    end = end == std::wstring::npos ? shown.size() : shown.find(L'\\', end + 1);
  }
  return longPath.substr(0, longPath.size() - shown.size() + std::min(end, shown.size()));
}

bool Exists(const std::wstring& longPath) {
  return ::GetFileAttributesW(longPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Creates path and its missing ancestors down to floor, which must exist. Another run
// may create the same folder meanwhile: a folder there afterwards is success.
bool MakeFoldersDownFrom(const std::wstring& floor, const std::wstring& path) {
  if (Exists(path)) return true;
  if (path.size() <= floor.size()) return false;
  const std::size_t separator = path.rfind(L'\\');
  if (separator < floor.size() || !MakeFoldersDownFrom(floor, path.substr(0, separator))) return false;
  if (::CreateDirectoryW(path.c_str(), nullptr)) return true;
  const DWORD error = ::GetLastError();
  if (error == ERROR_ALREADY_EXISTS && IsFolder(::GetFileAttributesW(path.c_str()))) return true;
  ::SetLastError(error);
  return false;
}

// One count or copy of a source path: the job, and the folders the walk is inside of.
class CTreeWalk {
 public:
  explicit CTreeWalk(const CTreeCopyJob& job) : m_job(job) {}

  int CountSource(const std::string& sourcePath);
  int CopySource(const std::string& destinationFolder, const std::string& sourcePath);

 private:
  int CountFolder(const std::wstring& folder);
  int CopyPath(const std::wstring& destination, const std::wstring& path);
  int CopyEntry(const std::wstring& destination, const std::wstring& path, const WIN32_FIND_DATAW& entry);
  int CopyFolder(const std::wstring& target, const std::wstring& folder);
  int CopyEntries(const std::wstring& target, const std::wstring& folder);
  int CopyListedEntry(const std::wstring& destination, const std::wstring& path, const WIN32_FIND_DATAW& item);
  bool CopyOneFile(const std::wstring& path, const std::wstring& target, const WIN32_FIND_DATAW& entry);
  bool EnterFolder(const std::wstring& folder);
  void LeaveFolder() { m_inside.pop_back(); }

  int ExclusionOf(const std::wstring& path) const {
    return m_job.Exclusions().empty() ? -1 : FindExclusion(m_job.Exclusions(), path);
  }
  bool IsRoot(const std::wstring& path) const { return m_job.root != nullptr && m_job.root->Holds(path); }
  bool Aborted() const { return m_job.abortFlag != nullptr && *m_job.abortFlag == 1; }
  // Tells the observer of the entry that failed (a long path, or a path as handed in); 0.
  int Fail(const std::wstring& path, DWORD error = ::GetLastError()) const {
    if (m_job.observer != nullptr) m_job.observer->OnFailed(FailedEntry{ShownPathOf(path), error});
    return 0;
  }
  void NotFollowed(const std::wstring& path) const {
    if (m_job.observer != nullptr) m_job.observer->OnNotFollowed(ShownPathOf(path));
  }

  const CTreeCopyJob& m_job;
  std::vector<FolderIdentity> m_inside;  // the folders entered, from the source down
};

// A folder already entered on the way down is a loop: it is not entered again.
bool CTreeWalk::EnterFolder(const std::wstring& folder) {
  FolderIdentity identity{};
  if (!IdentityOf(folder, identity)) identity = FolderIdentity{0, ~0ull - m_inside.size()};
  if (std::find(m_inside.begin(), m_inside.end(), identity) != m_inside.end()) {
    NotFollowed(folder);
    return false;
  }
  m_inside.push_back(identity);
  return true;
}

int CTreeWalk::CountSource(const std::string& sourcePath) {
  WIN32_FIND_DATAW entry;
  std::wstring path;
  if (!ResolveSource(sourcePath, entry, path)) return Fail(WideFromAnsi(sourcePath));
  const int excludedBy = ExclusionOf(path);
  if (excludedBy >= 0) {
    if (m_job.observer != nullptr) m_job.observer->OnExcluded(static_cast<std::size_t>(excludedBy));
    return 0;
  }
  if (IsRoot(path)) return 0;
  if (IsFolder(entry.dwFileAttributes)) return CountFolder(path);
  if (m_job.observer != nullptr) m_job.observer->OnFileCounted(ListedFileOf(entry));
  return 1;
}

// The files below folder; 0 when it cannot be listed. When the abort flag is 1 before an
// entry, the count stops there with the files counted so far.
int CTreeWalk::CountFolder(const std::wstring& folder) {
  if (IsRoot(folder) || !EnterFolder(folder)) return 0;
  WIN32_FIND_DATAW item;
  FindHandle listing(folder + L"\\*", item);
  if (!listing.IsOpen()) {
    LeaveFolder();
    return Fail(folder);
  }
  int count = 0;
  do {
    if (Aborted()) break;
    if (IsDotName(item.cFileName)) continue;
    const std::wstring path = folder + L"\\" + item.cFileName;
    const int excludedBy = ExclusionOf(path);
    if (excludedBy >= 0) {
      if (m_job.observer != nullptr) m_job.observer->OnExcluded(static_cast<std::size_t>(excludedBy));
    } else if (IsLinkToFolder(item)) {
      NotFollowed(path);
    } else if (IsFolder(item.dwFileAttributes)) {
      count += CountFolder(path);
    } else {
      if (m_job.observer != nullptr) m_job.observer->OnFileCounted(ListedFileOf(item));
      ++count;
    }
  } while (listing.Next(item));
  if (!Aborted() && ::GetLastError() != ERROR_NO_MORE_FILES) Fail(folder);
  LeaveFolder();
  return count;
}

// The destination is made even when the source turns out to be excluded.
int CTreeWalk::CopySource(const std::string& destinationFolder, const std::string& sourcePath) {
  WIN32_FIND_DATAW entry;
  std::wstring path;
  if (!ResolveSource(sourcePath, entry, path)) return Fail(WideFromAnsi(sourcePath));
  if (IsRoot(path)) return 1;
  const std::wstring destination = LongPathOf(destinationFolder);
  if (!MakeFolderPath(destinationFolder)) return Fail(destination);
  if (ExclusionOf(path) >= 0) return 1;
  return CopyEntry(destination, path, entry);
}

// The whole way for an entry below a source: looked up by its path, its destination made.
int CTreeWalk::CopyPath(const std::wstring& destination, const std::wstring& path) {
  WIN32_FIND_DATAW entry;
  if (!LookUpUniqueEntry(path, entry)) return Fail(path);
  if (!MakeLongFolderPath(destination)) return Fail(destination);
  return CopyEntry(destination, path, entry);
}

int CTreeWalk::CopyEntry(const std::wstring& destination, const std::wstring& path, const WIN32_FIND_DATAW& entry) {
  const std::wstring target = destination + L"\\" + entry.cFileName;
  if (IsFolder(entry.dwFileAttributes)) return CopyFolder(target, path);
  return CopyOneFile(path, target, entry) ? 1 : Fail(path);
}

// Copies one file to target, or lets the snapshot step place it, then reports it.
bool CTreeWalk::CopyOneFile(const std::wstring& path, const std::wstring& target, const WIN32_FIND_DATAW& entry) {
  const ListedFile file = ListedFileOf(entry);
  const bool placed = m_job.step != nullptr && m_job.step->PlaceWithoutCopy(target, file);
  if (!placed && !(m_job.copier != nullptr ? m_job.copier->CopyFile(path, target, file) : CopyFileSafely(path, target))) {
    return false;
  }
  if (m_job.observer != nullptr) m_job.observer->OnFileCopied(file);
  return true;
}

// Makes target, then copies the entries of folder into it. The destination root and folders
// already entered on the way down are left out.
int CTreeWalk::CopyFolder(const std::wstring& target, const std::wstring& folder) {
  if (IsRoot(folder) || !EnterFolder(folder)) return 1;
  const int result = MakeLongFolderPath(target) ? CopyEntries(target, folder) : Fail(target);
  LeaveFolder();
  return result;
}

// Copies every entry of folder into target, reading the abort flag before each. Stops at
// the first entry that fails, unless the job keeps going, and fails where the listing fails.
int CTreeWalk::CopyEntries(const std::wstring& target, const std::wstring& folder) {
  WIN32_FIND_DATAW item;
  FindHandle listing(folder + L"\\*", item);
  if (!listing.IsOpen()) return Fail(folder);
  int result = 1;
  do {
    if (Aborted()) return result;
    if (IsDotName(item.cFileName)) continue;
    if (!CopyListedEntry(target, folder + L"\\" + item.cFileName, item)) {
      result = 0;
      if (!m_job.keepGoing) return 0;
    }
  } while (listing.Next(item));
  return ::GetLastError() == ERROR_NO_MORE_FILES ? result : Fail(folder);
}

// A folder must still be one; a file copy that finds the source or the destination folder
// gone, or is denied, leaves the entry to the whole way.
int CTreeWalk::CopyListedEntry(const std::wstring& destination, const std::wstring& path,
                               const WIN32_FIND_DATAW& item) {
  if (ExclusionOf(path) >= 0) return 1;
  if (IsLinkToFolder(item)) {
    NotFollowed(path);
    return 1;
  }
  const std::wstring target = destination + L"\\" + item.cFileName;
  if (IsFolder(item.dwFileAttributes)) {
    return IsFolder(::GetFileAttributesW(path.c_str())) ? CopyFolder(target, path) : CopyPath(destination, path);
  }
  if (CopyOneFile(path, target, item)) return 1;
  return IsNotThereOrDenied(::GetLastError()) ? CopyPath(destination, path) : Fail(path);
}

// Reports each copied file by its name as the program shows it.
class CProgressCallback : public ITreeCopyObserver {
 public:
  CProgressCallback(CopyProgressFn callback, void* context) : m_callback(callback), m_context(context) {}
  void OnFileCopied(const ListedFile& file) override {
    if (m_callback != nullptr) m_callback(m_context, AnsiForDisplay(file.name).c_str());
  }

 private:
  CopyProgressFn m_callback;
  void* m_context;  // the caller's, not owned
};

CTreeCopyJob JobOf(const std::vector<std::string>* exclusions) {
  CTreeCopyJob job;
  if (exclusions != nullptr) job.Exclude(*exclusions);
  return job;
}

}  // namespace

int CountFiles(const std::string& sourcePath, const CTreeCopyJob& job) {
  return CTreeWalk(job).CountSource(sourcePath);
}

int CountFiles(const std::string& sourcePath, const std::vector<std::string>* exclusions) {
  return CountFiles(sourcePath, JobOf(exclusions));
}

int CopyTree(const std::string& destinationFolder, const std::string& sourcePath, const CTreeCopyJob& job) {
  return CTreeWalk(job).CopySource(destinationFolder, sourcePath);
}

int CopyTree(const std::string& destinationFolder, const std::string& sourcePath,
             const std::vector<std::string>* exclusions, const int* abortFlag, CopyProgressFn callback,
             void* context) {
  CProgressCallback progress(callback, context);
  CTreeCopyJob job = JobOf(exclusions);
  job.abortFlag = abortFlag;
  job.observer = &progress;
  return CopyTree(destinationFolder, sourcePath, job);
}

// A path with no backslash names a folder below the current one, which is not climbed
// out of; an absolute path climbs down from its drive or share.
int MakeFolderPath(const std::string& folderPath) {
  const std::string path = NormalisePath(folderPath);
  const std::size_t separator = sjis::FindChar(path, '\\');
  const std::wstring longPath = LongPathOf(path);
  if (separator == std::string::npos) return Exists(longPath) ? 1 : 0;
  const bool absolute = separator == 0 || (separator == 2 && path[1] == ':');
  const std::wstring floor = absolute ? VolumeOf(longPath) : LongPathOf(path.substr(0, separator));
  if (absolute && !Exists(floor + L"\\")) return 0;
  return MakeFoldersDownFrom(floor, longPath) ? 1 : 0;
}

bool MakeLongFolderPath(const std::wstring& longPath) {
  const std::wstring floor = VolumeOf(longPath);
  return Exists(floor + L"\\") && MakeFoldersDownFrom(floor, longPath);
}

int IsExcludedName(const std::vector<std::string>* exclusions, const std::string& path) {
  return FindExclusion(*exclusions, path) >= 0 ? 1 : 0;
}

// A full path from the list is compared in the long form of the walk's paths.
void CTreeCopyJob::Exclude(const std::vector<std::string>& exclusions) {
  m_exclusions.clear();
  for (const std::string& exclusion : exclusions) m_exclusions.push_back(LongFormOf(WideFromAnsi(exclusion)));
}
