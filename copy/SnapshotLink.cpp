#include "copy/SnapshotLink.h"

#include "copy/LongPath.h"

CSnapshotLink::CSnapshotLink(const std::string& topFolder, const std::string& previousTop)
    : m_topFolder(LongPathOf(topFolder)), m_previousTop(previousTop.empty() ? std::wstring() : LongPathOf(previousTop)) {}

// A file already at the target is left alone if it holds the file, and otherwise left to
// the copy, which replaces it with a new file rather than writing into it: a target that
// shares its data with an older snapshot can be copied over safely. A link is made only
// where no target exists yet. Both folders are listed once, so that a file with nothing
// to link to or leave costs no call here.
bool CSnapshotLink::PlaceWithoutCopy(const std::wstring& target, const ListedFile& file) {
  const std::wstring folder = target.substr(0, target.rfind(L'\\'));
  CFolderListings::Files& existing = m_targets.Of(folder);
  const auto found = existing.find(file.name);
  if (found != existing.end()) {
    if (!CFolderListings::HoldsSameFile(existing, file.name, file)) {
      existing.erase(found);  // the copy replaces it
      return false;
    }
    ++m_skipped;
  } else if (LinkToPrevious(folder, target, file)) {
    ++m_linked;
  } else {
    return false;
  }
  m_bytesNotWritten += file.size;
  return true;
}

// The previous snapshot's file is at the target's place below its own top folder.
bool CSnapshotLink::LinkToPrevious(const std::wstring& folder, const std::wstring& target, const ListedFile& file) {
  const std::size_t top = m_topFolder.size();
  const bool belowTop = folder.compare(0, top, m_topFolder) == 0 && (folder.size() == top || folder[top] == '\\');
  if (m_previousTop.empty() || !belowTop) return false;
  const std::wstring previousFolder = m_previousTop + folder.substr(top);
  return CFolderListings::HoldsSameFile(m_previous.Of(previousFolder), file.name, file) &&
         CreateHardLinkW(target.c_str(), (previousFolder + L"\\" + file.name).c_str(), nullptr);
}
