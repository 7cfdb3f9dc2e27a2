#include "copy/DestinationRoot.h"

#include "copy/EntryLookup.h"
#include "copy/LongPath.h"

namespace {

wchar_t FoldAscii(wchar_t c) {
  return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// True when inner equals outer, ASCII case folded, or lies below it.
bool IsSameOrBelow(const std::wstring& inner, const std::wstring& outer) {
  if (outer.empty() || inner.size() < outer.size()) return false;
  for (std::size_t i = 0; i < outer.size(); ++i) {
    if (FoldAscii(inner[i]) != FoldAscii(outer[i])) return false;
  }
  return inner.size() == outer.size() || inner[outer.size()] == L'\\';
}

// True for a root that names a whole drive or share ("X:", "\\\\server\\share").
bool IsVolumeRoot(const std::string& root) {
  const std::string full = NormalisePath(FullPath(NormalisePath(root)));
  const std::string volume = VolumeRootOf(full);
  return !volume.empty() && NormalisePath(volume) == full;
}

}  // namespace

CDestinationRoot::CDestinationRoot(const std::string& root)
    : m_longPath(LongPathOf(root)), m_isVolume(IsVolumeRoot(root)) {}

bool CDestinationRoot::Holds(const std::wstring& longPath) const {
  return !m_isVolume && IsSameOrBelow(longPath, m_longPath);
}

bool CDestinationRoot::LiesBelow(const std::wstring& longFolder) const {
  return m_longPath.size() > longFolder.size() && IsSameOrBelow(m_longPath, longFolder);
}
