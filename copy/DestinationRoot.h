#pragma once
// The destination root of a run by its long path, so that the walk of a source that
// holds the root can leave it out instead of copying the backup into itself.
#include <string>

class CDestinationRoot {
 public:
  // root as the plan holds it; it is normalised and made absolute.
  explicit CDestinationRoot(const std::string& root);

  // True when longPath is the root or lies below it. A root that is a whole drive or share
  // holds nothing, since every source on it would be left out.
  bool Holds(const std::wstring& longPath) const;
  // True when the root lies below longFolder.
  bool LiesBelow(const std::wstring& longFolder) const;

 private:
  std::wstring m_longPath;
  bool m_isVolume;
};
