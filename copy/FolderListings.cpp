#include "copy/FolderListings.h"

#include "copy/EntryLookup.h"
#include "copy/TreeCopyJob.h"

namespace {

bool IsAbove(const std::wstring& folder, const std::wstring& path) {
  return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == L'\\';
}

unsigned long long Join(DWORD high, DWORD low) {
  return (static_cast<unsigned long long>(high) << 32) | low;
}

CFolderListings::Files ListFiles(const std::wstring& folder) {
  CFolderListings::Files files;
  WIN32_FIND_DATAW item;
  FindHandle listing(folder + L"\\*", item);
  if (!listing.IsOpen()) return files;
  do {
    if ((item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    files.emplace(item.cFileName, std::make_pair(Join(item.nFileSizeHigh, item.nFileSizeLow),
                                                 Join(item.ftLastWriteTime.dwHighDateTime,
                                                      item.ftLastWriteTime.dwLowDateTime)));
  } while (listing.Next(item));
  return files;
}

}  // namespace

CFolderListings::Files& CFolderListings::Of(const std::wstring& folder) {
  while (!m_inside.empty() && m_inside.back().first != folder && !IsAbove(m_inside.back().first, folder)) {
    m_inside.pop_back();
  }
  if (m_inside.empty() || m_inside.back().first != folder) m_inside.emplace_back(folder, ListFiles(folder));
  return m_inside.back().second;
}

bool CFolderListings::HoldsSameFile(const Files& files, const std::wstring& name, const ListedFile& file) {
  const auto found = files.find(name);
  return found != files.end() && found->second == std::make_pair(file.size, file.lastWriteTime);
}
