// The tree copy against the plain procedure that looks every entry up by its path, on the
// same source trees: names the platform treats specially, path lengths at the search limit,
// and trees that change under the copy. Both must give the same count, result, reported
// names and destination tree. Both copy a file through the same safe single-file step,
// and both fail a folder that cannot be listed to its end.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <functional>
#include <gtest/gtest.h>

#include "NextHandle.h"
#include "TempFolder.h"
#include "copy/EntryLookup.h"
#include "copy/SafeFileCopy.h"
#include "copy/LongPath.h"
#include "copy/TreeCopy.h"
#include "copy/WideText.h"
#include "plan/ExclusionMatch.h"

namespace {

using Names = std::vector<std::string>;

namespace reference {

bool IsFolder(const WIN32_FIND_DATAW& entry) {
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsExcluded(const CTreeCopyJob& job, const std::wstring& path) {
  return !job.Exclusions().empty() && FindExclusion(job.Exclusions(), path) >= 0;
}

int CountEntry(const std::wstring& path, const WIN32_FIND_DATAW& entry, const CTreeCopyJob& job) {
  if (IsExcluded(job, path)) return 0;
  if (!IsFolder(entry)) return 1;
  WIN32_FIND_DATAW item;
  FindHandle listing(path + L"\\*", item);
  if (!listing.IsOpen()) return 0;
  int count = 0;
  do {
    WIN32_FIND_DATAW found;
    const std::wstring inner = path + L"\\" + item.cFileName;
    if (!IsDotName(item.cFileName) && LookUpUniqueEntry(inner, found)) count += CountEntry(inner, found, job);
  } while (listing.Next(item));
  return count;
}

int CountFiles(const std::string& sourcePath, const CTreeCopyJob& job) {
  WIN32_FIND_DATAW entry;
  std::wstring path;
  return ResolveSource(sourcePath, entry, path) ? CountEntry(path, entry, job) : 0;
}

int CopyEntry(const std::wstring& destination, const std::wstring& path, const WIN32_FIND_DATAW& entry,
              const CTreeCopyJob& job, const std::function<void(const std::wstring&)>& copied) {
  if (!MakeLongFolderPath(destination)) return 0;
  if (IsExcluded(job, path)) return 1;
  const std::wstring target = destination + L"\\" + entry.cFileName;
  if (!IsFolder(entry)) {
    if (!CopyFileSafely(path, target)) return 0;
    copied(entry.cFileName);
    return 1;
  }
  if (!MakeLongFolderPath(target)) return 0;
  WIN32_FIND_DATAW item;
  FindHandle listing(path + L"\\*", item);
  if (!listing.IsOpen()) return 0;
  do {
    if (job.abortFlag != nullptr && *job.abortFlag == 1) return 1;
    if (IsDotName(item.cFileName)) continue;
    WIN32_FIND_DATAW found;
    const std::wstring inner = path + L"\\" + item.cFileName;
    if (!LookUpUniqueEntry(inner, found) || !CopyEntry(target, inner, found, job, copied)) return 0;
  } while (listing.Next(item));
  return GetLastError() == ERROR_NO_MORE_FILES ? 1 : 0;
}

int CopyTree(const std::string& destinationFolder, const std::string& sourcePath, const CTreeCopyJob& job,
             const std::function<void(const std::wstring&)>& copied) {
  WIN32_FIND_DATAW entry;
  std::wstring path;
  if (!ResolveSource(sourcePath, entry, path)) return 0;
  if (!MakeFolderPath(destinationFolder)) return 0;
  return CopyEntry(LongPathOf(destinationFolder), path, entry, job, copied);
}

}  // namespace reference

std::string Utf8(const std::wstring& text) {
  std::string utf8(text.size() * 3 + 1, '\0');
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &utf8[0], static_cast<int>(utf8.size()),
                                         nullptr, nullptr);
  utf8.resize(length - 1);
  return utf8;
}

std::wstring Wide(const std::string& ansi) {
  return testfs::Wide(ansi).substr(4);
}

// Paths below one folder in the wide API's exact form: under Wine its Unix path, so that
// names differing only in case, trailing dots and reserved characters are made as given.
class ExactPaths {
 public:
  explicit ExactPaths(const std::string& folder) {
    const std::string unix = testfs::UnixPath(folder);
    if (unix.empty()) {
      root_ = L"\\\\?\\" + Wide(folder);
      return;
    }
    const int length = MultiByteToWideChar(CP_UTF8, 0, unix.c_str(), -1, nullptr, 0);
    std::wstring wide(length - 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, unix.c_str(), -1, &wide[0], length);
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    root_ = L"\\\\?\\unix" + wide;
  }
  std::wstring operator/(const std::wstring& relative) const { return root_ + L"\\" + relative; }

 private:
  std::wstring root_;
};

void RemoveExact(const std::wstring& path) {
  WIN32_FIND_DATAW item;
  HANDLE listing = FindFirstFileW((path + L"\\*").c_str(), &item);
  if (listing != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = item.cFileName;
      if (name == L"." || name == L"..") continue;
      SetFileAttributesW((path + L"\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
      if (item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveExact(path + L"\\" + name);
      } else {
        DeleteFileW((path + L"\\" + name).c_str());
      }
    } while (FindNextFileW(listing, &item));
    FindClose(listing);
  }
  RemoveDirectoryW(path.c_str());
}

// Makes the entries of a tree in order; a trailing "\\" makes a folder. Each file holds its
// own path, gets its own last-write time, and every third is read-only or hidden.
void MakeTree(const ExactPaths& paths, const std::vector<std::wstring>& tree) {
  int index = 0;
  for (const std::wstring& entry : tree) {
    ++index;
    if (entry.back() == L'\\') {
      CreateDirectoryW((paths / entry.substr(0, entry.size() - 1)).c_str(), nullptr);
      continue;
    }
    HANDLE file = CreateFileW((paths / entry).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << Utf8(entry);
    const std::string text = Utf8(entry);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    const FILETIME writtenAt = {0x12345600u + 0x01000000u * index, 0x01C66CE4};
    SetFileTime(file, nullptr, nullptr, &writtenAt);
    CloseHandle(file);
    if (index % 3 != 0) {
      SetFileAttributesW((paths / entry).c_str(), index % 3 == 1 ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_HIDDEN);
    }
  }
}

// One line per entry below folder: path, attributes, and for a file its last-write time and data.
void Describe(const std::wstring& folder, const std::wstring& relative, std::vector<std::string>& lines) {
  WIN32_FIND_DATAW item;
  HANDLE listing = FindFirstFileW((folder + L"\\*").c_str(), &item);
  if (listing == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = item.cFileName;
    if (name == L"." || name == L"..") continue;
    std::string line = Utf8(relative + name) + " attributes " + std::to_string(item.dwFileAttributes);
    if (item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      lines.push_back(line);
      Describe(folder + L"\\" + name, relative + name + L"\\", lines);
      continue;
    }
    line += " written " + std::to_string(item.ftLastWriteTime.dwHighDateTime) + ":" +
            std::to_string(item.ftLastWriteTime.dwLowDateTime);
    HANDLE file = CreateFileW((folder + L"\\" + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    char data[512];
    DWORD read = 0;
    ReadFile(file, data, sizeof data, &read, nullptr);
    CloseHandle(file);
    lines.push_back(line + " data " + std::string(data, read));
  } while (FindNextFileW(listing, &item));
  FindClose(listing);
  std::sort(lines.begin(), lines.end());
}

// What one way of copying made of a row.
struct Outcome {
  int count = 0;
  int result = 0;
  Names names;
  std::vector<std::string> destination;
};

// What a row's callback may do to the trees after each reported file.
struct Progress {
  const ExactPaths* paths;
  std::string name = {};
  int files = 0;
  int abort = 0;

  void Remove(const std::wstring& relative) const {
    SetFileAttributesW((*paths / relative).c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileW((*paths / relative).c_str())) RemoveExact(*paths / relative);
  }
  void Make(const std::vector<std::wstring>& tree) const { MakeTree(*paths, tree); }
};

// A source tree below the temporary folder, the source path and destination folder handed
// in (below the temporary folder, or as they are when they start with "."; the temporary
// folder is the current one), exclusions (none when empty) and what happens after each
// reported file.
struct Row {
  std::string what;
  std::vector<std::wstring> tree;
  std::string source;
  Names exclusions = {};
  std::function<void(Progress&)> afterFile = nullptr;
  std::string destination = "out\\d";
  bool whole = false;  // src is copied as it is, every name, attribute, time and byte
};

struct Recorder {
  Progress progress;
  const Row* row;
  Outcome* outcome;

  static void Record(void* context, const char* name) {
    Recorder* self = static_cast<Recorder*>(context);
    self->outcome->names.push_back(name);
    self->progress.name = name;
    ++self->progress.files;
    if (self->row->afterFile) self->row->afterFile(self->progress);
  }
};

class TreeCopyReferenceTest : public testing::Test {
 protected:
  void SetUp() override {
    GetCurrentDirectoryA(MAX_PATH, previous_);
    SetCurrentDirectoryA(temp_.Path().c_str());
  }
  void TearDown() override {
    SetCurrentDirectoryA(previous_);
    Clear();
  }

  // Removes everything below the temporary folder, whatever the names.
  void Clear() {
    WIN32_FIND_DATAW item;
    HANDLE listing = FindFirstFileW((paths_ / L"*").c_str(), &item);
    if (listing == INVALID_HANDLE_VALUE) return;
    std::vector<std::wstring> names;
    do {
      if (std::wcscmp(item.cFileName, L".") != 0 && std::wcscmp(item.cFileName, L"..") != 0) {
        names.push_back(item.cFileName);
      }
    } while (FindNextFileW(listing, &item));
    FindClose(listing);
    for (const std::wstring& name : names) Progress{&paths_}.Remove(name);
  }

  Outcome Copy(const Row& row, bool byReference) {
    Clear();
    MakeTree(paths_, row.tree);
    Outcome outcome;
    Recorder recorder{Progress{&paths_}, &row, &outcome};
    const Names* exclusions = row.exclusions.empty() ? nullptr : &row.exclusions;
    CTreeCopyJob job;
    job.Exclude(row.exclusions);
    job.abortFlag = &recorder.progress.abort;
    const std::string source = row.source[0] == '.' ? row.source : temp_ / row.source;
    const std::string destination = row.destination[0] == '.' ? row.destination : temp_ / row.destination;
    const HANDLE before = NextHandle();
    if (byReference) {
      outcome.count = reference::CountFiles(source, job);
      outcome.result = reference::CopyTree(destination, source, job, [&](const std::wstring& name) {
        Recorder::Record(&recorder, AnsiForDisplay(name).c_str());
      });
    } else {
      outcome.count = CountFiles(source, exclusions);
      outcome.result = CopyTree(destination, source, exclusions, &recorder.progress.abort, Recorder::Record, &recorder);
      EXPECT_EQ(NextHandle(), before) << row.what;
    }
    const std::size_t start = row.destination[0] == '.' ? 2 : 0;
    const std::string top = row.destination.substr(start, row.destination.find_first_of("\\/", start) - start);
    Describe(paths_ / Wide(top), L"", outcome.destination);
    return outcome;
  }

  testfs::TempFolder temp_;
  ExactPaths paths_{temp_.Path()};
  char previous_[MAX_PATH];
};

std::vector<std::wstring> With(std::vector<std::wstring> tree, const std::vector<std::wstring>& more) {
  tree.insert(tree.end(), more.begin(), more.end());
  return tree;
}

// Files and folders, a folder two levels down, an empty folder, double-byte names whose
// second byte is that of "\\".
const std::vector<std::wstring> kPlainTree = {
    L"src\\", L"src\\f1.txt", L"src\\f2.dat", L"src\\a\\", L"src\\a\\f1", L"src\\a\\f2", L"src\\a\\f3",
    L"src\\a\\f4", L"src\\a\\s\\", L"src\\a\\s\\g1", L"src\\a\\s\\g2", L"src\\b\\", L"src\\b\\h1",
    L"src\\b\\h2", L"src\\e\\", L"src\\\u30BD\u8868\\", L"src\\\u30BD\u8868\\\u8868",
    L"src\\\u30BD\u8868\\\u80FD\\", L"src\\\u30BD\u8868\\\u80FD\\x.txt"};

// The ANSI path of the folder kPlainTree names src\ソ表 ("\x83\x5C\x95\x5C").
const char kDoubleByteFolder[] = "src\\\x83\x5C\x95\x5C";

// Below base (which ends in src), a chain of folders down to depth, where a file, and a
// folder holding a file, have paths of total bytes for a temporary folder of root bytes.
// Double-byte names make the byte count differ from the character count.
std::vector<std::wstring> LongTree(std::size_t root, const std::wstring& base, int depth, std::size_t total,
                                   bool doubleByte) {
  std::vector<std::wstring> tree;
  for (std::size_t end = base.find(L'\\'); end != std::wstring::npos; end = base.find(L'\\', end + 1)) {
    tree.push_back(base.substr(0, end + 1));
  }
  tree.push_back(base + L"\\");
  tree.push_back(base + L"\\n");
  std::wstring folder = base;
  std::size_t bytes = root + 1 + base.size();
  for (int level = 1; level < depth; ++level) {
    folder += L"\\" + std::wstring(1, static_cast<wchar_t>(L'0' + level)) + std::wstring(60, L'p');
    bytes += 62;
    tree.push_back(folder + L"\\");
  }
  std::wstring name = doubleByte ? std::wstring(10, L'\u8868') : std::wstring();
  name += std::wstring(total - bytes - 1 - 2 * name.size(), L'l');
  tree.push_back(folder + L"\\" + name);
  name.back() = L'd';
  tree.push_back(folder + L"\\" + name + L"\\");
  tree.push_back(folder + L"\\" + name + L"\\c");
  return tree;
}

std::string Ansi(const std::wstring& text) {
  char ansi[4 * MAX_PATH];
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
  return ansi;
}

std::vector<Row> LongPathRows(std::size_t root) {
  std::vector<Row> rows;
  struct Layout {
    const wchar_t* base;
    const char* destination;
  };
  // Destination paths 2 and 3 bytes longer than the source paths, as long, and 1 byte shorter.
  const Layout layouts[] = {{L"src", "o"}, {L"src", "oo"}, {L"s\\src", "o"}, {L"ab\\src", "o"}};
  for (const Layout& layout : layouts) {
    for (int depth : {1, 3}) {
      for (std::size_t total = 257; total <= 260; ++total) {
        rows.push_back({"long paths " + std::to_string(total) + " at depth " + std::to_string(depth) + " from " +
                            Ansi(layout.base) + " to " + layout.destination,
                        LongTree(root, layout.base, depth, total, false), Ansi(layout.base), {}, nullptr,
                        layout.destination});
      }
    }
  }
  for (std::size_t total = 257; total <= 260; ++total) {
    rows.push_back({"long double-byte paths " + std::to_string(total), LongTree(root, L"src", 1, total, true),
                    "src", {}, nullptr, "o"});
  }
  // The file of 260 bytes follows src\ and src\n.
  const std::vector<std::wstring> tooLong = LongTree(root, L"src", 1, 260, false);
  rows.push_back({"too long and excluded", tooLong, "src", {Ansi(tooLong[2].substr(4))}});
  return rows;
}

TEST_F(TreeCopyReferenceTest, GivesTheResultsOfLookingUpEveryEntry) {
  std::vector<Row> rows = {
      {"plain tree", kPlainTree, "src"},
      {"separators", kPlainTree, "src//", {}, nullptr, "out/d\\\\"},
      {"relative source", kPlainTree, ".\\src"},
      {"relative destination", kPlainTree, "src", {}, nullptr, ".\\out\\d"},
      {"double-byte folder ending in 0x5C", kPlainTree, kDoubleByteFolder},
      {"the same with a separator after it", kPlainTree, kDoubleByteFolder + std::string("\\")},
      {"wildcard matching one folder", kPlainTree, "sr?"},
      {"wildcard matching one file", kPlainTree, "src\\*.txt"},
      {"wildcard matching several", kPlainTree, "src\\f*"},
      {"exclusions", kPlainTree, "src", {"S", "F2", "h1", "\x95\x5C"}},
      {"the source excluded", kPlainTree, "src", {"SRC"}},
      {"pattern exclusions", kPlainTree, "src", {"*.TXT", "?2", "\x94\x5C*"}},
      {"path exclusions", kPlainTree, "src",
       {temp_ / "src\\a\\s", temp_.Path() + "/src/b/", temp_ / "src\\a\\F?", temp_ / kDoubleByteFolder + "\\"}},
      {"the source below an excluded path", kPlainTree, "src\\a", {temp_ / "SRC\\"}},
      {"abort after the first file", kPlainTree, "src", {}, [](Progress& progress) { progress.abort = 1; }},
      {"abort after three files", kPlainTree, "src", {},
       [](Progress& progress) { progress.abort = progress.files == 3; }},
      {"abort flag not 1", kPlainTree, "src", {}, [](Progress& progress) { progress.abort = 2; }},
      {"destination folder deleted", kPlainTree, "src", {},
       [](Progress& progress) {
         if (progress.name == "f2") progress.Remove(L"out\\d\\src\\a");
       }},
      {"destination root deleted", kPlainTree, "src", {},
       [](Progress& progress) {
         if (progress.files == 2) progress.Remove(L"out");
       }},
      {"destination folder replaced by a file", kPlainTree, "src", {},
       [](Progress& progress) {
         if (progress.name != "f1") return;
         progress.Remove(L"out\\d\\src\\a");
         progress.Make({L"out\\d\\src\\a"});
       }},
      {"source file deleted", kPlainTree, "src", {},
       [](Progress& progress) {
         if (progress.name == "f1") progress.Remove(L"src\\a\\f3");
       }},
      {"source folder deleted", kPlainTree, "src", {},
       [](Progress& progress) {
         if (progress.files == 1) progress.Remove(L"src\\a\\s");
       }},
      {"source file replaced by a folder", kPlainTree, "src", {},
       [](Progress& progress) {
         if (progress.name != "f1") return;
         progress.Remove(L"src\\a\\f4");
         progress.Make({L"src\\a\\f4\\", L"src\\a\\f4\\inner"});
       }},
      {"source folder replaced by a file", kPlainTree, "src", {},
       [](Progress& progress) {
         if (progress.files != 1) return;
         progress.Remove(L"src\\b");
         progress.Make({L"src\\b"});
       }},
      {"entries appearing", kPlainTree, "src", {},
       [](Progress& progress) {
         if (progress.files == 1) progress.Make({L"src\\a\\new", L"src\\new\\", L"src\\new\\n1", L"src\\b\\h0"});
       }},
      {"case twins", With(kPlainTree, {L"src\\a\\twin", L"src\\a\\Twin", L"src\\a\\TWIN\\", L"src\\a\\TWIN\\t"}),
       "src"},
      {"full-width case twins", With(kPlainTree, {L"src\\b\\\uFF41", L"src\\b\\\uFF21"}), "src", {"\x82\x81"}},
      {"names the code page folds onto another's case twin",
       With(kPlainTree, {L"src\\b\\caf\u00e9", L"src\\b\\CAFE", L"src\\a\\\u00e0\\", L"src\\a\\A\\", L"src\\a\\A\\in"}),
       "src", {}, nullptr, "out\\d", true},
      {"twins the code page would make one name", With(kPlainTree, {L"src\\caf\u00e9.txt", L"src\\cafe.txt"}), "src",
       {}, nullptr, "out\\d", true},
      {"names the platform trims beside the trimmed names",
       With(kPlainTree, {L"src\\b\\h1.", L"src\\b\\h2 ", L"src\\a\\s.\\", L"src\\a\\s.\\x", L"src\\a\\f1. "}), "src"},
      {"names the code page cannot hold",
       With(kPlainTree, {L"src\\b\\\uD55C\uAD6D\uC5B4.txt", L"src\\b\\\U0001F600.txt", L"src\\b\\caf\u00e9.txt",
                         L"src\\b\\\u8FD9\u4E2A.txt", L"src\\\u00DCn\u00EFcode\\", L"src\\\u00DCn\u00EFcode\\x"}),
       "src", {}, nullptr, "out\\d", true},
      {"names the code page cannot hold, excluded by pattern and path",
       With(kPlainTree, {L"src\\b\\\U0001F600.txt", L"src\\b\\\U0001F601.txt", L"src\\\u00DCn\u00EFcode\\",
                         L"src\\\u00DCn\u00EFcode\\x", L"src\\a\\\u00e9T\u00e9"}),
       "src", {"?.txt", temp_ / "src\\?n?code", "?T?"}},
  };
  const std::vector<std::wstring> oddNames = {L"dot.",    L"dots...", L"space ", L"dot. ", L" lead", L"CON",
                                              L"nul",     L"NUL.txt", L"con.dat", L"a:b",  L"a*b",   L"q?",
                                              L"x|y",     L"l<g>",    L"quo\"te", L"ctl\x01", L"...",
                                              L"s\u00a5g1", L"yen\u00a5", L"bar\u00a6", L"\u00a5"};
  for (const std::wstring& name : oddNames) {
    rows.push_back({"odd file name " + Utf8(name), With(kPlainTree, {L"src\\a\\" + name}), "src"});
    rows.push_back({"odd folder name " + Utf8(name),
                    With(kPlainTree, {L"src\\a\\" + name + L"\\", L"src\\a\\" + name + L"\\in"}), "src"});
  }
  for (Row& row : LongPathRows(temp_.Path().size())) rows.push_back(row);

  for (const Row& row : rows) {
    const Outcome expected = Copy(row, true);
    const Outcome actual = Copy(row, false);
    EXPECT_EQ(actual.count, expected.count) << row.what;
    EXPECT_EQ(actual.result, expected.result) << row.what;
    EXPECT_EQ(actual.names, expected.names) << row.what;
    EXPECT_EQ(actual.destination, expected.destination) << row.what;
    if (!row.exclusions.empty() && actual.result == 1) {  // count and copy agree
      EXPECT_EQ(actual.count, static_cast<int>(actual.names.size())) << row.what;
    }
    if (row.whole) {
      std::vector<std::string> source, copied;
      Describe(paths_ / L"src", L"", source);
      Describe(paths_ / L"out\\d\\src", L"", copied);
      EXPECT_EQ(copied, source) << row.what;
      EXPECT_EQ(actual.result, 1) << row.what;
      EXPECT_EQ(actual.count, static_cast<int>(actual.names.size())) << row.what;
    }
  }
}

}  // namespace
