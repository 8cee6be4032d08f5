// The benchmark's yardsticks for one index run over a tree, both with the plainest fast Win32 calls: one
// directory listing per folder sorted with the locale collation, each page opened once without an
// existence test and read in 64 KiB blocks up to its title's closing tag, the scan list on standard
// output and the rows written through one handle in 64 KiB blocks. Not shipped.
//   plain_index DEPTH FOLDER OUTPUT          the listing page OUTPUT as SkimdexCmd writes it, through
//                                            the project's title scan, conversion and rows
//   plain_index --floor DEPTH FOLDER OUTPUT  the floor: the same I/O with none of that work, titles
//                                            copied as they stand and paths in the code page
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "index/listing_rows.h"
#include "index/scan_list.h"
#include "index/title_scan.h"
#include "index/walk.h"
#include "text/byte_search.h"
#include "text/cp932.h"
#include "text/path.h"
#include "text/text_reader.h"
#include "text/unicode.h"
#include "text/wide.h"

namespace {

using namespace skimdex;

constexpr DWORD kBlockSize = 64 * 1024;

struct Entry {
  int depth;  // 0 for an end marker
  std::wstring path;
  bool folder;
};

struct Name {
  std::wstring text;
  bool folder;
};

std::vector<Name> SortedNames(const std::wstring& folder) {
  std::vector<Name> names;
  WIN32_FIND_DATAW data;
  const HANDLE search = FindFirstFileW((folder + L"\\*.*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    const bool folder_entry = data.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY;
    if (folder_entry || IsListedExtension(ExtensionOf(Narrow(name)))) names.push_back({name, folder_entry});
  } while (FindNextFileW(search, &data));
  FindClose(search);
  std::sort(names.begin(), names.end(), [](const Name& a, const Name& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.text.data(),
                          static_cast<int>(a.text.size()), b.text.data(),
                          static_cast<int>(b.text.size())) == CSTR_LESS_THAN;
  });
  return names;
}

// The folder walk's order: subfolders with their subtrees, pages, then the end marker.
int Walk(const std::wstring& folder, int depth, int level, std::vector<Entry>& list) {
  const std::vector<Name> names = SortedNames(folder);
  const int d = depth + 1;
  int pages = 0;
  if (d <= level) {
    for (const Name& name : names) {
      if (!name.folder) continue;
      const std::size_t at = list.size();
      list.push_back({d, folder + L"\\" + name.text, true});
      const int below = Walk(folder + L"\\" + name.text, d, level, list);
      pages += below;
      if (below == 0) list.erase(list.begin() + static_cast<std::ptrdiff_t>(at));
    }
  }
  for (const Name& name : names) {
    if (name.folder) continue;
    list.push_back({d, folder + L"\\" + name.text, false});
    ++pages;
  }
  if (d <= level) list.push_back({0, L"", false});
  return pages;
}

// Hands out a file's bytes from 64 KiB reads.
class FileBlocks final : public ByteSource {
 public:
  explicit FileBlocks(HANDLE file) : file_(file) {}
  ReadResult Read(char* buffer, std::size_t capacity) override {
    DWORD got = 0;
    if (!ReadFile(file_, buffer, static_cast<DWORD>(std::min<std::size_t>(capacity, kBlockSize)), &got,
                  nullptr))
      return {0, static_cast<int>(GetLastError())};
    return {got, 0};
  }

 private:
  HANDLE file_;
};

HANDLE OpenPage(const std::wstring& path) {
  return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The project's title, as SkimdexCmd makes it.
std::string Caption(const std::wstring& path) {
  const std::string name = FileNameOf(Narrow(path));
  ScannedTitle title{.text = name, .file_name = true};
  const HANDLE file = OpenPage(path);
  if (file != INVALID_HANDLE_VALUE) {
    FileBlocks blocks(file);
    title = ScanPage(blocks, name);
    CloseHandle(file);
  }
  return PageCaption(title);
}

// Where the upper-case `tag` starts in `text` at or after `from`, any case; npos when nowhere. Each
// "<" is found with a word-wise search (Wine's memchr goes byte by byte), the rest compared there.
std::size_t FindNoCase(std::string_view text, std::string_view tag, std::size_t from) {
  const auto same = [](char a, char b) { return (a >= 'a' && a <= 'z' ? a - 0x20 : a) == b; };
  for (std::size_t at = skimdex::FindByte(text, tag.front(), from); at != std::string_view::npos;
       at = skimdex::FindByte(text, tag.front(), at + 1)) {
    const std::string_view here = text.substr(at, tag.size());
    if (here.size() == tag.size() && std::equal(here.begin(), here.end(), tag.begin(), same)) return at;
  }
  return std::string_view::npos;
}

// The floor's title: the bytes between the first "<title>" and the "</title>" after it, any case.
std::string RawTitle(const std::wstring& path) {
  const HANDLE file = OpenPage(path);
  if (file == INVALID_HANDLE_VALUE) return {};
  static std::string text;
  text.clear();
  constexpr std::string_view kOpen = "<TITLE>", kClose = "</TITLE>";
  std::size_t open = std::string_view::npos, searched = 0;
  for (;;) {
    const std::size_t had = text.size();
    text.resize(had + kBlockSize);
    DWORD got = 0;
    if (!ReadFile(file, text.data() + had, kBlockSize, &got, nullptr) || got == 0) break;
    text.resize(had + got);
    if (open == std::string_view::npos) open = FindNoCase(text, kOpen, searched);
    if (open != std::string_view::npos) {
      const std::size_t close = FindNoCase(text, kClose, std::max(open + kOpen.size(), searched));
      if (close != std::string_view::npos) {
        CloseHandle(file);
        return text.substr(open + kOpen.size(), close - open - kOpen.size());
      }
    }
    searched = text.size() > kClose.size() ? text.size() - kClose.size() : 0;
  }
  CloseHandle(file);
  return {};
}

std::string InCodePage(const std::wstring& text) {
  std::string bytes(text.size() * 2 + 1, '\0');
  const int length =
      WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), bytes.data(),
                          static_cast<int>(bytes.size()), "?", nullptr);
  bytes.resize(std::max(length, 0));
  return bytes;
}

std::string FloorRow(const Entry& entry) {
  if (entry.folder) {
    const std::wstring name = entry.path.substr(entry.path.rfind(L'\\') + 1);
    return "<TR><TD NOWRAP><FONT SIZE=\"+1\">" + Indent(entry.depth) + InCodePage(name) + "</FONT></TD></TR>";
  }
  return "<TR><TD NOWRAP>" + Indent(entry.depth) + "<A HREF=\"file:///" + InCodePage(entry.path) + "\">" +
         RawTitle(entry.path) + "</A></TD></TR>";
}

std::string Row(const Entry& entry) {
  const std::string path = Narrow(entry.path);
  return entry.folder ? FolderRow(entry.depth, path) : PageRow(entry.depth, path, Caption(entry.path));
}

// Rows gather in memory and leave in 64 KiB writes through the one handle.
class Output {
 public:
  explicit Output(HANDLE file) : file_(file) {}
  ~Output() { Flush(); }
  void Line(const std::string& line) {
    text_.append(line).append("\r\n");
    if (text_.size() >= kBlockSize) Flush();
  }

 private:
  void Flush() {
    DWORD written = 0;
    if (!text_.empty() &&
        !WriteFile(file_, text_.data(), static_cast<DWORD>(text_.size()), &written, nullptr)) {
      std::fprintf(stderr, "write failed: %lu\n", GetLastError());
      std::exit(1);
    }
    text_.clear();
  }
  HANDLE file_;
  std::string text_;
};

void WriteListing(HANDLE file, const std::vector<Entry>& list, bool floor) {
  Output out(file);
  for (const char* line : kListingHead) out.Line(line);
  for (const Entry& entry : list) {
    if (entry.depth == 0) continue;
    out.Line("<TABLE>");
    out.Line(floor ? FloorRow(entry) : Row(entry));
    out.Line("</TABLE>");
  }
  for (const char* line : kListingFoot) out.Line(line);
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  const bool floor = count == 5 && std::wstring_view(arguments[1]) == L"--floor";
  if (count != (floor ? 5 : 4)) {
    std::fputs("usage: plain_index [--floor] DEPTH FOLDER OUTPUT\n", stderr);
    return 64;
  }
  const int first = floor ? 2 : 1;
  std::vector<Entry> list;
  Walk(arguments[first + 1], 0, _wtoi(arguments[first]), list);
  std::string scan_list;
  for (const Entry& entry : list) {
    const std::size_t name_at = entry.path.rfind(L'\\') + 1;
    scan_list
        .append(entry.depth == 0 ? kScanListEndMarker
                                 : ScanListEntry(entry.depth, Narrow(entry.path.substr(0, name_at - 1)),
                                                 Narrow(entry.path.substr(name_at))))
        .append("\r\n");
  }
  const std::string bytes = InCodePage(Wide(scan_list));
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
            nullptr);
  const HANDLE file = CreateFileW(arguments[first + 2], GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "cannot create the listing page: %lu\n", GetLastError());
    return 1;
  }
  WriteListing(file, list, floor);
  CloseHandle(file);
  return 0;
}
