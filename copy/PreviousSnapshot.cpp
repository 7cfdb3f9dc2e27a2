#include "copy/PreviousSnapshot.h"

#include "copy/EntryLookup.h"
#include "copy/LongPath.h"
#include "copy/WideText.h"
#include "plan/DateName.h"
#include "plan/ShiftJis.h"

// Date folder names have a fixed width with the year first, so the later date is the
// greater name.
PreviousSnapshot FindPreviousSnapshot(const std::string& topFolder) {
  PreviousSnapshot found;
  const std::size_t separator = sjis::FindLastChar(topFolder, '\\');
  if (separator == std::string::npos) return found;
  const std::string parent = topFolder.substr(0, separator);
  const std::string topName = topFolder.substr(separator + 1);
  found.topIsDate = IsIsoDateName(topName);
  if (!found.topIsDate) return found;

  std::string newest;
  WIN32_FIND_DATAW item;
  FindHandle listing(LongPathOf(parent) + L"\\*", item);
  if (!listing.IsOpen()) return found;
  do {
    const std::string name = AnsiForDisplay(item.cFileName);
    const bool isFolder = (item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder && IsIsoDateName(name) && name < topName && name > newest) newest = name;
  } while (listing.Next(item));
  if (!newest.empty()) found.folder = parent + "\\" + newest;
  return found;
}
