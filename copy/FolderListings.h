#pragma once
// The files of the folders that a walk is inside of, each folder listed once: a look-up
// by name then costs no call to the file system. A folder that does not exist lists no
// files.
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

struct ListedFile;

class CFolderListings {
 public:
  // The size and last-write time of each file of a folder, by name.
  using Files = std::unordered_map<std::wstring, std::pair<unsigned long long, unsigned long long>>;

  // The files of folder (a long path), listed when it is met first on the way down; the
  // folders kept are folder and those above it.
  Files& Of(const std::wstring& folder);
  // True when files holds name with the size and last-write time that the listing gave file.
  static bool HoldsSameFile(const Files& files, const std::wstring& name, const ListedFile& file);

 private:
  std::vector<std::pair<std::wstring, Files>> m_inside;  // from the outermost folder down
};
