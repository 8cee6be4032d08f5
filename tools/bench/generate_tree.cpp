// Generates the benchmark's page tree: a fixed, seeded mix of pages in Shift_JIS, EUC-JP and
// 7-bit JIS, with CR LF and LF line ends, nested folders, a few big pages and some Japanese names.
// Usage: generate_tree FOLDER [PAGES]. Leaves FOLDER alone when its stamp already matches.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The stamp's first word marks a tree as this program's; bump the version whenever the output
// changes, so that old trees get regenerated.
constexpr char kStampName[] = "generator.stamp";
constexpr char kStampTag[] = "skimdex-bench-tree";
constexpr int kGeneratorVersion = 1;
constexpr uint64_t kSeed = 0x5EED5C1Du;
constexpr int kDefaultPages = 20000;
constexpr int kMaxFolderLevel = 4;
constexpr int kMeanPagesPerFolder = 90;
constexpr int kPagesPerBigPage = 2000;  // about ten pages over 1 MB in 20,000
constexpr size_t kDeepTitleOffset = 20 * 1024;

// splitmix64: small, fast and the same on every machine, unlike the standard distributions.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
  int Between(int low, int high) { return low + Below(high - low + 1); }
  bool Chance(int percent) { return Below(100) < percent; }
  double Unit() { return static_cast<double>(Next() >> 11) / 9007199254740992.0; }
  template <typename T, size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(N)];
  }

 private:
  uint64_t state_;
};

// Names as UTF-8, which Wine shows to the program as code page 932; every word maps to cp932.
// Some have a trail byte 0x5C in Shift_JIS (表, ソ), the classic path-handling trap.
const std::u8string_view kJapaneseWords[] = {
    u8"\u65E5\u8A18",        // 日記
    u8"\u5199\u771F",        // 写真
    u8"\u8CC7\u6599",        // 資料
    u8"\u8868",              // 表
    u8"\u30BD\u30D5\u30C8",  // ソフト
    u8"\u6848\u5185",        // 案内
    u8"\u65C5\u884C",        // 旅行
    u8"\u97F3\u697D",        // 音楽
    u8"\u63B2\u793A\u677F",  // 掲示板
    u8"\u76EE\u6B21",        // 目次
};
const char* const kFolderWords[] = {"diary", "photo", "docs", "soft", "guide", "travel",
                                    "music", "bbs",   "link", "old",  "text",  "cgi-bin"};
const char* const kPageWords[] = {"page", "news", "memo", "doc", "item", "log", "p", "topic"};
const char* const kAsciiWords[] = {
    "Home", "Page",    "Link", "News", "Update",  "Windows", "Soft",    "Download",    "Diary", "Photo",
    "BBS",  "Profile", "FAQ",  "1998", "Ver.2.1", "Index",   "Welcome", "Information", "Club",  "Net"};

std::string NameFromWord(std::u8string_view word) {
  return std::string(reinterpret_cast<const char*>(word.data()), word.size());
}

std::string TwoDigits(int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", number);
  return text;
}

enum class Encoding { kShiftJis, kEuc, kJis };

// Collects one file's bytes. Japanese characters go in as JIS X 0208 row and cell and come out
// in the page's encoding; 7-bit JIS returns to ASCII before every line end, as mailers do.
class PageText {
 public:
  PageText(Encoding encoding, bool crlf, size_t reserve) : encoding_(encoding), crlf_(crlf) {
    bytes_.reserve(reserve);
  }

  void Ascii(std::string_view text) {
    ToSet(Set::kAscii);
    bytes_ += text;
  }

  void Kanji(int row, int cell) {
    switch (encoding_) {
      case Encoding::kShiftJis:
        AppendShiftJis(row, cell);
        break;
      case Encoding::kEuc:
        Append2(row | 0x80, cell | 0x80);
        break;
      case Encoding::kJis:
        ToSet(Set::kKanji);
        Append2(row, cell);
        break;
    }
  }

  // `code` is the 7-bit half-width katakana code, 0x21 to 0x5F.
  void HalfKana(int code) {
    switch (encoding_) {
      case Encoding::kShiftJis:
        bytes_ += static_cast<char>(code | 0x80);
        break;
      case Encoding::kEuc:
        Append2(0x8E, code | 0x80);
        break;
      case Encoding::kJis:
        ToSet(Set::kKana);
        bytes_ += static_cast<char>(code);
        break;
    }
  }

  void EndLine() { Ascii(crlf_ ? "\r\n" : "\n"); }
  size_t Size() const { return bytes_.size(); }
  const std::string& Bytes() const { return bytes_; }

 private:
  enum class Set { kAscii, kKanji, kKana };

  void ToSet(Set set) {
    if (encoding_ != Encoding::kJis || set == set_) return;
    static constexpr std::string_view kEscapes[] = {"\x1B(B", "\x1B$B", "\x1B(I"};
    bytes_ += kEscapes[static_cast<int>(set)];
    set_ = set;
  }

  void AppendShiftJis(int row, int cell) {
    int lead = ((row - 0x21) >> 1) + 0x81;
    if (lead > 0x9F) lead += 0x40;
    int trail = (row & 1) ? cell + 0x1F : cell + 0x7E;
    if ((row & 1) && trail >= 0x7F) ++trail;
    Append2(lead, trail);
  }

  void Append2(int first, int second) {
    bytes_ += static_cast<char>(first);
    bytes_ += static_cast<char>(second);
  }

  std::string bytes_;
  Encoding encoding_;
  bool crlf_;
  Set set_ = Set::kAscii;
};

// Realistic-looking runs: kanji compounds, hiragana endings, katakana loan words, punctuation.
void AppendJapaneseRun(Random& random, PageText& text, int characters) {
  while (characters > 0) {
    const int kind = random.Below(100);
    const int run = std::min(characters, random.Between(1, 4));
    for (int i = 0; i < run; ++i) {
      if (kind < 40) {
        text.Kanji(0x24, random.Between(0x21, 0x73));  // hiragana
      } else if (kind < 80) {
        const int row = random.Between(0x30, 0x4F);  // kanji level 1; row 0x4F ends at 0x53
        text.Kanji(row, random.Between(0x21, row == 0x4F ? 0x53 : 0x7E));
      } else if (kind < 95) {
        text.Kanji(0x25, random.Between(0x21, 0x76));  // katakana
      } else {
        text.Kanji(0x21, random.Between(0x22, 0x23));  // 、。
        break;
      }
    }
    characters -= run;
  }
}

void AppendHalfKanaRun(Random& random, PageText& text) {
  for (int i = random.Between(3, 10); i > 0; --i) text.HalfKana(random.Between(0x21, 0x5F));
}

void AppendTitleText(Random& random, PageText& text) {
  if (random.Chance(10)) {
    text.Ascii(std::string(random.Pick(kAsciiWords)) + " " + random.Pick(kAsciiWords));
    return;
  }
  AppendJapaneseRun(random, text, random.Between(3, 15));
  if (random.Chance(3)) AppendHalfKanaRun(random, text);
  if (random.Chance(30)) text.Ascii(std::string(" - ") + random.Pick(kAsciiWords));
}

void AppendTitleLine(Random& random, PageText& text) {
  const bool lower_case = random.Chance(20);
  if (random.Chance(10)) text.Ascii(random.Chance(50) ? "  " : "\t");
  text.Ascii(lower_case ? "<title>" : "<TITLE>");
  AppendTitleText(random, text);
  text.Ascii(lower_case ? "</title>" : "</TITLE>");
  text.EndLine();
}

void AppendAsciiLine(PageText& text, std::string_view line) {
  text.Ascii(line);
  text.EndLine();
}

void AppendLink(Random& random, PageText& text) {
  text.Ascii("<A HREF=\"" + std::string(random.Pick(kPageWords)) + TwoDigits(random.Below(100)) + ".html\">");
  AppendJapaneseRun(random, text, random.Between(2, 8));
  text.Ascii("</A>");
}

enum class TitlePlace { kTop, kDeep, kMissing };
enum class PageKind { kHtml, kCgi, kText };

struct PagePlan {
  std::string name;
  PageKind kind;
  Encoding encoding;
  bool crlf;
  bool long_lines;
  bool half_kana;
  TitlePlace title;
  size_t size;
};

void AppendBodyLine(Random& random, PageText& text, const PagePlan& plan, size_t line_length) {
  const bool markup = plan.kind != PageKind::kText;
  const size_t end = text.Size() + line_length;
  const bool item = random.Chance(20);
  if (markup) text.Ascii(item ? "<LI>" : "<P>");
  while (text.Size() < end) {
    const int kind = random.Below(100);
    if (kind < 75) {
      AppendJapaneseRun(random, text, random.Between(4, 24));
    } else if (kind < 90) {
      text.Ascii(std::string(" ") + random.Pick(kAsciiWords) + " ");
    } else if (kind < 95 && plan.half_kana) {
      AppendHalfKanaRun(random, text);
    } else if (markup) {
      AppendLink(random, text);
    } else {
      AppendJapaneseRun(random, text, random.Between(4, 24));
    }
  }
  if (markup) text.Ascii(item ? "</LI>" : "</P>");
  text.EndLine();
}

void AppendBodyUntil(Random& random, PageText& text, const PagePlan& plan, size_t size) {
  while (text.Size() < size) {
    const size_t length = plan.long_lines ? random.Between(1000, 8000) : random.Between(40, 200);
    AppendBodyLine(random, text, plan, length);
  }
}

// A deep title comes after the first 20 KB of body; the others are placed by the caller or missing.
void AppendBody(Random& random, PageText& text, const PagePlan& plan) {
  if (plan.title == TitlePlace::kDeep) {
    AppendBodyUntil(random, text, plan, kDeepTitleOffset + random.Below(4096));
    AppendTitleLine(random, text);
  }
  AppendBodyUntil(random, text, plan, plan.size);
}

const char* CharsetName(Encoding encoding) {
  switch (encoding) {
    case Encoding::kShiftJis:
      return "Shift_JIS";
    case Encoding::kEuc:
      return "EUC-JP";
    case Encoding::kJis:
      return "ISO-2022-JP";
  }
  return "";
}

void AppendHtml(Random& random, PageText& text, const PagePlan& plan) {
  AppendAsciiLine(text, "<HTML>");
  AppendAsciiLine(text, "<HEAD>");
  if (random.Chance(50)) {
    AppendAsciiLine(text, std::string("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=") +
                              CharsetName(plan.encoding) + "\">");
  }
  if (plan.title == TitlePlace::kTop) AppendTitleLine(random, text);
  AppendAsciiLine(text, "</HEAD>");
  AppendAsciiLine(text, "<BODY BGCOLOR=\"#FFFFFF\">");
  AppendBody(random, text, plan);
  AppendAsciiLine(text, "</BODY>");
  AppendAsciiLine(text, "</HTML>");
}

// A Perl script that prints its page from a here-document.
void AppendCgi(Random& random, PageText& text, const PagePlan& plan) {
  for (const char* line : {"#!/usr/local/bin/perl", "", "require 'cgi-lib.pl';",
                           "print \"Content-type: text/html\\n\\n\";", "print <<'HTML';"}) {
    AppendAsciiLine(text, line);
  }
  AppendHtml(random, text, plan);
  AppendAsciiLine(text, "HTML");
  AppendAsciiLine(text, "exit;");
}

std::string PageBytes(Random& random, const PagePlan& plan) {
  PageText text(plan.encoding, plan.crlf, plan.size + 16 * 1024);
  switch (plan.kind) {
    case PageKind::kHtml:
      AppendHtml(random, text, plan);
      break;
    case PageKind::kCgi:
      AppendCgi(random, text, plan);
      break;
    case PageKind::kText:
      if (plan.title == TitlePlace::kTop) AppendTitleLine(random, text);
      AppendBody(random, text, plan);
      break;
  }
  return text.Bytes();
}

// Mostly 2 to 30 KB, skewed towards the small end like real sites.
size_t OrdinaryPageSize(Random& random) {
  return 2048 + static_cast<size_t>(std::pow(random.Unit(), 1.5) * (30 * 1024 - 2048));
}

size_t BigPageSize(Random& random) { return (1u << 20) + static_cast<size_t>(random.Below(3 << 20)); }

PageKind ChoosePageKind(Random& random, std::string& extension) {
  const int roll = random.Below(100);
  if (roll < 55) {
    extension = ".html";
    return PageKind::kHtml;
  }
  if (roll < 78) {
    extension = ".htm";
    return PageKind::kHtml;
  }
  if (roll < 83) {
    extension = ".shtml";
    return PageKind::kHtml;
  }
  if (roll < 89) {
    extension = ".cgi";
    return PageKind::kCgi;
  }
  extension = ".txt";
  return PageKind::kText;
}

Encoding ChooseEncoding(Random& random) {
  const int roll = random.Below(100);
  if (roll < 60) return Encoding::kShiftJis;
  if (roll < 85) return Encoding::kEuc;
  return Encoding::kJis;
}

TitlePlace ChooseTitlePlace(Random& random, PageKind kind) {
  const int roll = random.Below(100);
  if (kind == PageKind::kText) return roll < 15 ? TitlePlace::kTop : TitlePlace::kMissing;
  if (roll < 90) return TitlePlace::kTop;
  return roll < 95 ? TitlePlace::kDeep : TitlePlace::kMissing;
}

std::string PageName(Random& random, int index_in_folder, const std::string& extension) {
  const std::string number = std::to_string(1000 + index_in_folder).substr(1);
  if (random.Chance(10)) return NameFromWord(random.Pick(kJapaneseWords)) + number + extension;
  return random.Pick(kPageWords) + number + extension;
}

PagePlan ChoosePage(Random& random, int index_in_folder, bool big) {
  PagePlan plan;
  std::string extension;
  plan.kind = ChoosePageKind(random, extension);
  if (index_in_folder == 0) {
    plan.kind = PageKind::kHtml;
    plan.name = "index.html";
  } else {
    plan.name = PageName(random, index_in_folder, extension);
  }
  plan.encoding = ChooseEncoding(random);
  plan.crlf = random.Chance(65);
  plan.long_lines = random.Chance(2);
  plan.half_kana = random.Chance(5);
  plan.title = ChooseTitlePlace(random, plan.kind);
  plan.size = big ? BigPageSize(random) : OrdinaryPageSize(random);
  if (plan.title == TitlePlace::kDeep) plan.size = std::max(plan.size, kDeepTitleOffset + 8192);
  return plan;
}

struct Folder {
  fs::path path;
  int level = 0;
  int children = 0;
  int pages = 0;
};

// A random recursive tree: each new folder hangs under an earlier one that is not yet too deep.
std::vector<Folder> PlanFolders(Random& random, const fs::path& root, int total_pages) {
  std::vector<Folder> folders{{root}};
  const int count = std::max(1, total_pages / kMeanPagesPerFolder);
  while (static_cast<int>(folders.size()) < count) {
    Folder& parent = folders[random.Below(static_cast<int>(folders.size()))];
    if (parent.level == kMaxFolderLevel) continue;
    const std::string word = random.Chance(20) ? NameFromWord(random.Pick(kJapaneseWords))
                                               : std::string(random.Pick(kFolderWords));
    Folder child{parent.path / (word + TwoDigits(++parent.children)), parent.level + 1};
    folders.push_back(child);
  }
  return folders;
}

// Folders get tens to a few hundred pages each, summing exactly to `total_pages`.
void SpreadPages(Random& random, std::vector<Folder>& folders, int total_pages) {
  std::vector<int> weights;
  int64_t weight_sum = 0;
  for (size_t i = 0; i < folders.size(); ++i) {
    weights.push_back(random.Between(20, 250));
    weight_sum += weights.back();
  }
  int assigned = 0;
  for (size_t i = 0; i < folders.size(); ++i) {
    folders[i].pages = static_cast<int>(int64_t{total_pages} * weights[i] / weight_sum);
    assigned += folders[i].pages;
  }
  for (size_t i = 0; assigned < total_pages; i = (i + 1) % folders.size(), ++assigned) {
    ++folders[i].pages;
  }
}

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "generate_tree: %s\n", message.c_str());
  std::exit(1);
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) Fail("cannot create " + path.string());
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) Fail("cannot write " + path.string());
}

std::string StyleSheet(Random& random) {
  std::string css;
  for (int i = random.Between(20, 150); i > 0; --i) {
    css += "P.c" + std::to_string(i) + " { color: #" + std::to_string(100000 + random.Below(899999)) +
           "; margin: " + std::to_string(random.Below(20)) + "px }\n";
  }
  return css;
}

std::string ImageBytes(Random& random) {
  std::string bytes =
      "\x89\x50NG\r\n"
      "\x1A\n";
  for (int i = random.Between(1024, 20 * 1024); i > 0; --i) bytes += static_cast<char>(random.Next());
  return bytes;
}

struct Totals {
  int pages = 0;
  int other_files = 0;
  uint64_t bytes = 0;
};

// Files that are not pages and must be skipped: a style sheet here and there, some images.
void WriteOtherFiles(Random& random, const Folder& folder, Totals& totals) {
  std::vector<std::pair<std::string, std::string>> files;
  if (random.Chance(30)) files.emplace_back("style.css", StyleSheet(random));
  for (int i = random.Between(0, 2); i > 0; --i)
    files.emplace_back("img" + TwoDigits(i) + ".png", ImageBytes(random));
  for (const auto& [name, bytes] : files) {
    WriteFile(folder.path / name, bytes);
    ++totals.other_files;
    totals.bytes += bytes.size();
  }
}

void WriteFolder(Random& random, const Folder& folder, Totals& totals) {
  fs::create_directories(folder.path);
  for (int i = 0; i < folder.pages; ++i) {
    const bool big = totals.pages % kPagesPerBigPage == kPagesPerBigPage / 2;
    const PagePlan plan = ChoosePage(random, i, big);
    const std::string bytes = PageBytes(random, plan);
    WriteFile(folder.path / plan.name, bytes);
    ++totals.pages;
    totals.bytes += bytes.size();
  }
  WriteOtherFiles(random, folder, totals);
}

std::string StampPrefix(int pages) {
  return std::string(kStampTag) + " " + std::to_string(kGeneratorVersion) +
         " pages=" + std::to_string(pages) + " bytes=";
}

std::string ReadStamp(const fs::path& root) {
  std::ifstream stamp(root / kStampName);
  std::string line;
  std::getline(stamp, line);
  return line;
}

// Removes an old or half-written tree, but never a folder this program did not make.
void ClearOldTree(const fs::path& root) {
  if (!fs::exists(root) || fs::is_empty(root)) return;
  if (ReadStamp(root).rfind(kStampTag, 0) != 0) {
    Fail(root.string() + " exists and holds no " + kStampName + "; not touching it");
  }
  fs::remove_all(root);
}

void GenerateTree(const fs::path& root, int total_pages) {
  ClearOldTree(root);
  fs::create_directories(root);
  WriteFile(root / kStampName, std::string(kStampTag) + " incomplete\n");

  Random random(kSeed);
  std::vector<Folder> folders = PlanFolders(random, root, total_pages);
  SpreadPages(random, folders, total_pages);
  Totals totals;
  for (const Folder& folder : folders) WriteFolder(random, folder, totals);

  WriteFile(root / kStampName, StampPrefix(total_pages) + std::to_string(totals.bytes) + "\n");
  std::printf("Generated %d pages and %d other files in %zu folders: %llu bytes\n", totals.pages,
              totals.other_files, folders.size(), static_cast<unsigned long long>(totals.bytes));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) Fail("usage: generate_tree FOLDER [PAGES]");
  const fs::path root = argv[1];
  const int total_pages = argc == 3 ? std::atoi(argv[2]) : kDefaultPages;
  if (total_pages < 1) Fail("PAGES must be a positive number");

  const std::string stamp = ReadStamp(root);
  if (stamp.rfind(StampPrefix(total_pages), 0) == 0) {
    std::printf("Tree up to date (%d pages, %s bytes): %s\n", total_pages,
                stamp.substr(StampPrefix(total_pages).size()).c_str(), root.c_str());
    return 0;
  }
  try {
    GenerateTree(root, total_pages);
  } catch (const fs::filesystem_error& error) {
    Fail(error.what());
  }
  return 0;
}
