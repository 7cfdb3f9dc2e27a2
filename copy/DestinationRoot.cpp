#include "copy/DestinationRoot.h"

#include "copy/EntryLookup.h"
#include "plan/ShiftJis.h"

namespace {

std::string NormalisedFullPath(const std::string& path) {
  return NormalisePath(FullPath(NormalisePath(path)));
}

// True when inner equals outer, ASCII case folded, or lies below it. Folding touches only
// single-byte letters, so both strings have their characters at the same positions.
bool IsSameOrBelow(const std::string& inner, const std::string& outer) {
  if (outer.empty() || inner.size() < outer.size()) return false;
  if (!sjis::EqualsNoCaseAscii(inner.substr(0, outer.size()), outer)) return false;
  return inner.size() == outer.size() || inner[outer.size()] == '\\';
}

// True for a normalised full path that names a whole drive or share ("X:", "\\\\server\\share").
bool IsVolumeRoot(const std::string& path) {
  const std::string volume = VolumeRootOf(path);
  return !volume.empty() && NormalisePath(volume) == path;
}

}  // namespace

CDestinationRoot::CDestinationRoot(const std::string& root)
    : m_fullPath(NormalisedFullPath(root)), m_isVolume(IsVolumeRoot(m_fullPath)) {}

bool CDestinationRoot::Holds(const std::string& path) const {
  return !m_isVolume && IsSameOrBelow(NormalisedFullPath(path), m_fullPath);
}

bool CDestinationRoot::LiesBelow(const std::string& folder) const {
  const std::string full = NormalisedFullPath(folder);
  return m_fullPath.size() > full.size() && IsSameOrBelow(m_fullPath, full);
}
