// The benchmark's floor: the work of one index run done with the plainest fast Win32 calls. One
// directory listing per folder, sorted with the locale collation; each page opened once without an
// existence test and read in 64 KiB blocks up to its title's closing tag; the same scan list on
// standard output and the same listing rows through one open handle. Not shipped.
// Usage: plain_index DEPTH FOLDER OUTPUT, OUTPUT being the listing page to write.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "index/listing_rows.h"
#include "index/title_scan.h"
#include "index/walk.h"
#include "text/cp932.h"
#include "text/path.h"
#include "text/string_list.h"
#include "text/text_reader.h"

namespace {

using namespace skimdex;

constexpr DWORD kBlockSize = 64 * 1024;

struct Entry {
  int depth;  // 0 for an end marker
  std::string path;
  bool folder;
};

void ReadFolderNames(const std::string& folder, TStringList& subfolders, TStringList& pages) {
  WIN32_FIND_DATAA data;
  const HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    if (data.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY) {
      subfolders.Add(name);
    } else if (IsListedExtension(ExtensionOf(name))) {
      pages.Add(name);
    }
  } while (FindNextFileA(search, &data));
  FindClose(search);
  subfolders.Sort();
  pages.Sort();
}

// The folder walk's order: subfolders with their subtrees, pages, then the end marker.
int Walk(const std::string& folder, int depth, int level, std::vector<Entry>& list) {
  TStringList subfolders, pages;
  ReadFolderNames(folder, subfolders, pages);
  const int d = depth + 1;
  int total = 0;
  if (d <= level) {
    for (const std::string& name : subfolders) {
      const std::size_t at = list.size();
      list.push_back({d, folder + "\\" + name, true});
      const int below = Walk(folder + "\\" + name, d, level, list);
      total += below;
      if (below == 0) list.erase(list.begin() + static_cast<std::ptrdiff_t>(at));
    }
  }
  for (const std::string& name : pages) list.push_back({d, folder + "\\" + name, false});
  if (d <= level) list.push_back({0, "", false});
  return pages.Count() + total;
}

// Hands out a file's bytes from 64 KiB reads.
class FileBlocks final : public ByteSource {
 public:
  explicit FileBlocks(HANDLE file) : file_(file), block_(kBlockSize) {}
  ReadResult Read(char* buffer, std::size_t capacity) override {
    if (position_ == end_) {
      DWORD got = 0;
      if (!ReadFile(file_, block_.data(), kBlockSize, &got, nullptr))
        return {0, static_cast<int>(GetLastError())};
      position_ = 0;
      end_ = got;
    }
    const std::size_t count = std::min(capacity, end_ - position_);
    std::memcpy(buffer, block_.data() + position_, count);
    position_ += count;
    return {count, 0};
  }

 private:
  HANDLE file_;
  std::vector<char> block_;
  std::size_t position_ = 0, end_ = 0;
};

std::string Title(const std::string& path) {
  ScannedTitle title{FileNameOf(path)};
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    FileBlocks blocks(file);
    TextReader reader(blocks);
    title = ScanPageTitle(reader, title.text);
    CloseHandle(file);
  }
  return PageCaption(title);
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

void WriteListing(HANDLE file, const std::vector<Entry>& list) {
  Output out(file);
  for (const char* line : kListingHead) out.Line(line);
  for (const Entry& entry : list) {
    if (entry.depth == 0) continue;
    out.Line("<TABLE>");
    out.Line(entry.folder ? FolderRow(entry.depth, entry.path)
                          : PageRow(entry.depth, entry.path, Title(entry.path)));
    out.Line("</TABLE>");
  }
  for (const char* line : kListingFoot) out.Line(line);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: plain_index DEPTH FOLDER OUTPUT\n", stderr);
    return 64;
  }
  std::vector<Entry> list;
  Walk(argv[2], 0, std::atoi(argv[1]), list);
  std::string scan_list;
  for (const Entry& entry : list) {
    scan_list.append(entry.depth == 0 ? "0" : std::to_string(entry.depth) + entry.path).append("\r\n");
  }
  _setmode(_fileno(stdout), _O_BINARY);
  std::fwrite(scan_list.data(), 1, scan_list.size(), stdout);
  const HANDLE file = CreateFileA(argv[3], GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "cannot create %s: %lu\n", argv[3], GetLastError());
    return 1;
  }
  WriteListing(file, list);
  CloseHandle(file);
  return 0;
}
