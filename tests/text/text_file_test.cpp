#include "text/text_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

#include "support/temp_folder.h"

namespace skimdex {
namespace {

using namespace std::string_literals;

using testing::ReadWholeFile;
using testing::TempFolder;
using Lines = std::vector<std::string>;

// ファイルが見つかりません, 不正なファイル名です, ファイルへのアクセスが拒否されました
constexpr char kNotFound[] =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1";
constexpr char kBadName[] =
    "\x95\x73\x90\xB3\x82\xC8\x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC\x82\xC5\x82\xB7";
constexpr char kAccessDenied[] =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xD6\x82\xCC\x83\x41\x83\x4E\x83\x5A\x83\x58\x82\xAA\x8B\x91\x94\xDB\x82\xB3\x82\xEA\x82\xDC\x82\xB5\x82\xBD";
constexpr char kIoError[] = "I/O \x83\x47\x83\x89\x81\x5B (";  // I/O エラー (

Lines ReadAll(const std::string& path) {
  TextFile file;
  AssignText(file, path);
  OpenTextForReading(file);
  Lines lines;
  while (!AtEndSkippingBlanks(file)) lines.push_back(ReadTextLine(file));
  CloseText(file);
  return lines;
}

void Append(const std::string& path, const std::string& line) {
  TextFile file;
  AssignText(file, path);
  OpenTextForAppending(file);
  WriteText(file, line);
  WriteLineEnd(file);
  CloseText(file);
}

// Another holder of the file that lets nobody else open it.
HANDLE OpenExclusively(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

TEST(TextFile, ReadsLinesThroughFileBlocks) {
  TempFolder temp;
  const struct {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"A\r\nB\r\n", {"A", "B"}},
      {"A\nB", {"A\nB"}},
      {"A\x1Az", {"A"}},
      {"", {}},
      {std::string(127, 'a') + "\r\n" + std::string(5000, 'b'),
       {std::string(127, 'a'), std::string(5000, 'b')}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadAll(temp.File("page.txt", c.bytes)), c.lines) << ::testing::PrintToString(c.bytes);
    EXPECT_EQ(TakeIoError(), 0);
  }
}

TEST(TextFile, WrittenBytesReachTheFileByFullBuffersAndOnClose) {
  TempFolder temp;
  const std::string path = temp.Path() + "\\out.txt";
  TextFile file;
  AssignText(file, path);
  CreateTextForWriting(file);
  WriteText(file, "X");
  WriteLineEnd(file);
  EXPECT_EQ(ReadWholeFile(path), "");
  const std::size_t block = TextFile::kBufferSize;
  WriteText(file, std::string(block + 200, 'y'));
  EXPECT_EQ(ReadWholeFile(path), "X\r\n" + std::string(block - 3, 'y'));
  WriteText(file, "z");
  CloseText(file);
  EXPECT_EQ(ReadWholeFile(path), "X\r\n" + std::string(block + 200, 'y') + "z");
  EXPECT_EQ(TakeIoError(), 0);
}

TEST(TextFile, AppendingWritesOnAtTheTrueEnd) {
  TempFolder temp;
  for (const std::string& before : {""s, "A\r\n"s,
                                    "A\r\n"
                                    "\x1A\x1A"s,
                                    "A\x1Az\x1A"s, std::string(73, 'a') + "\x1A" + std::string(127, 'b')}) {
    const std::string path = temp.File("log.txt", before);
    Append(path, "N");
    EXPECT_EQ(ReadWholeFile(path), before + "N\r\n") << ::testing::PrintToString(before);
    EXPECT_EQ(TakeIoError(), 0);
  }
}

struct FailureCase {
  const char* what;
  std::function<void(const TempFolder&)> operations;
  int code;
  std::string message;
};

TEST(TextFile, FailuresArePendingUntilCheckIoRaisesThem) {
  const FailureCase cases[] = {
      {"close twice",
       [](const TempFolder& temp) {
         TextFile file;
         AssignText(file, temp.File("a.txt"));
         OpenTextForReading(file);
         CloseText(file);
         CloseText(file);
       },
       103, kIoError + std::string("103)")},
      {"append, write and close a missing file: each failure replaces the one before",
       [](const TempFolder& temp) { Append(temp.Path() + "\\missing.txt", "x"); }, 103,
       kIoError + std::string("103)")},
      {"open a missing file for appending",
       [](const TempFolder& temp) {
         TextFile file;
         AssignText(file, temp.Path() + "\\missing.txt");
         OpenTextForAppending(file);
       },
       2, kNotFound},
      {"create in a missing folder",
       [](const TempFolder& temp) {
         TextFile file;
         AssignText(file, temp.Path() + "\\missing\\a.txt");
         CreateTextForWriting(file);
       },
       3, kBadName},
      {"read a file never opened",
       [](const TempFolder& temp) {
         TextFile file;
         AssignText(file, temp.File("a.txt", "x"));
         EXPECT_EQ(ReadTextLine(file), "");
       },
       104, kIoError + std::string("104)")},
      {"end test on a file open for writing",
       [](const TempFolder& temp) {
         TextFile file;
         AssignText(file, temp.Path() + "\\w.txt");
         CreateTextForWriting(file);
         EXPECT_TRUE(AtEndSkippingBlanks(file));
       },
       104, kIoError + std::string("104)")},
      {"write to a file open for reading",
       [](const TempFolder& temp) {
         TextFile file;
         AssignText(file, temp.File("r.txt", "x"));
         OpenTextForReading(file);
         WriteText(file, "y");
         CloseText(file);
       },
       105, kIoError + std::string("105)")},
      {"a later success does not clear it",
       [](const TempFolder& temp) {
         TextFile file;
         AssignText(file, temp.Path() + "\\missing.txt");
         OpenTextForReading(file);
         Append(temp.File("ok.txt"), "fine");
       },
       2, kNotFound},
  };
  for (const FailureCase& c : cases) {
    TempFolder temp;
    c.operations(temp);
    try {
      CheckIo();
      ADD_FAILURE() << c.what << ": nothing raised";
    } catch (const EInOutError& error) {
      EXPECT_EQ(error.Code(), c.code) << c.what;
      EXPECT_EQ(error.Message(), c.message) << c.what;
    }
    EXPECT_NO_THROW(CheckIo()) << c.what;
  }
}

TEST(TextFile, MessagesByCode) {
  const struct {
    int code;
    std::string message;
  } cases[] = {
      {2, kNotFound},
      {3, kBadName},
      // オープンしたファイルが多すぎます
      {4,
       "\x83\x49\x81\x5B\x83\x76\x83\x93\x82\xB5\x82\xBD\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x91\xBD\x82\xB7\x82\xAC\x82\xDC\x82\xB7"},
      {5, kAccessDenied},
      // ファイルの末尾以降を読み込みました
      {100,
       "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCC\x96\x96\x94\xF6\x88\xC8\x8D\x7E\x82\xF0\x93\xC7\x82\xDD\x8D\x9E\x82\xDD\x82\xDC\x82\xB5\x82\xBD"},
      // ディスクがいっぱいです
      {101, "\x83\x66\x83\x42\x83\x58\x83\x4E\x82\xAA\x82\xA2\x82\xC1\x82\xCF\x82\xA2\x82\xC5\x82\xB7"},
      // 入力値が数値ではありません
      {106,
       "\x93\xFC\x97\xCD\x92\x6C\x82\xAA\x90\x94\x92\x6C\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1"},
      {32, kIoError + std::string("32)")},
      {1117, kIoError + std::string("1117)")},
  };
  for (const auto& c : cases) EXPECT_EQ(IoErrorMessage(c.code), c.message) << c.code;
}

TEST(TextFile, PendingErrorBelongsToItsThread) {
  TextFile file;
  CloseText(file);
  int seen_by_other = -1;
  std::thread([&] {
    seen_by_other = TakeIoError();
    TextFile other;
    CloseText(other);
  }).join();
  EXPECT_EQ(seen_by_other, 0);
  EXPECT_EQ(TakeIoError(), 103);
  EXPECT_EQ(TakeIoError(), 0);
}

TEST(TextFile, OpeningAnOpenFileClosesItFirst) {
  TempFolder temp;
  TextFile file;
  AssignText(file, temp.Path() + "\\f.txt");
  CreateTextForWriting(file);
  WriteText(file, "abc");
  OpenTextForReading(file);
  EXPECT_FALSE(AtEndSkippingBlanks(file));
  EXPECT_EQ(ReadTextLine(file), "abc");
  CloseText(file);
  EXPECT_EQ(TakeIoError(), 0);
}

TEST(TextFile, RebindingOrDroppingAnOpenFileReleasesItsHandle) {
  TempFolder temp;
  const std::string first = temp.Path() + "\\first.txt";
  {
    TextFile file;
    AssignText(file, first);
    CreateTextForWriting(file);
    WriteText(file, "kept");
    AssignText(file, temp.Path() + "\\second.txt");
    EXPECT_EQ(ReadWholeFile(first), "kept");
    const HANDLE holder = OpenExclusively(first);
    EXPECT_NE(holder, INVALID_HANDLE_VALUE);
    CloseHandle(holder);

    CreateTextForWriting(file);
  }
  const HANDLE holder = OpenExclusively(temp.Path() + "\\second.txt");
  EXPECT_NE(holder, INVALID_HANDLE_VALUE);
  CloseHandle(holder);
  EXPECT_EQ(TakeIoError(), 0);
}

// Writes "new" to replace `path`; the error code it ends with.
int Replace(const std::string& path) {
  TextFile file;
  AssignText(file, path);
  CreateTextForReplacing(file);
  if (const int error = TakeIoError(); error != 0) return error;
  WriteText(file, "new");
  CloseText(file);
  return TakeIoError();
}

// A replaced file is whole, old or new, and takes the old one's attributes; what may not be replaced
// stays as it was; no temporary file is ever left, a killed run's leftover included.
TEST(TextFile, ReplacingLeavesTheOldFileOrTheWholeNewOne) {
  TempFolder temp;
  const std::string hidden = temp.File("hidden.html", "old"), read_only = temp.File("ro.html", "old"),
                    held = temp.File("held.html", "old"), fresh = temp.Path() + "\\fresh.html";
  SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA(read_only.c_str(), FILE_ATTRIBUTE_READONLY);
  temp.File("fresh.html.skimdex-tmp", "left by a killed run");
  const HANDLE holder =
      CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  const struct {
    std::string path;
    int error;
    std::string after;
  } cases[] = {
      {fresh, 0, "new"},
      {hidden, 0, "new"},
      {read_only, ERROR_ACCESS_DENIED, "old"},
      {temp.Folder("folder.html"), ERROR_ACCESS_DENIED, "<missing>"},
      {held, -1, "old"},  // fails at the replace, with the system's code
      {temp.Path() + "\\missing\\x.html", ERROR_PATH_NOT_FOUND, "<missing>"},
      {temp.UnicodeFile(std::string(250, 'n') + ".html", "old"), 0, "new"},  // a name too long to be followed
  };
  for (const auto& c : cases) {
    const int error = Replace(c.path);
    if (c.error >= 0) EXPECT_EQ(error, c.error) << c.path;
    if (c.error < 0) EXPECT_NE(error, 0) << c.path;
    EXPECT_EQ(ReadWholeFile(c.path), c.after) << c.path;
  }
  CloseHandle(holder);
  EXPECT_EQ(GetFileAttributesA(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN);
  WIN32_FIND_DATAA entry;
  EXPECT_EQ(FindFirstFileA((temp.Path() + "\\*tmp").c_str(), &entry), INVALID_HANDLE_VALUE)
      << entry.cFileName;
}

// A name past the system's path limit is kept whole: nothing goes to a file of a shorter name.
TEST(TextFile, NamePastThePathLimitIsKeptWhole) {
  TempFolder temp;
  const std::string folder = temp.Path() + "\\";
  const std::string name = folder + std::string(259 - folder.size(), 'n');
  TextFile file;
  AssignText(file, name + ".overflow");
  CreateTextForWriting(file);
  WriteText(file, "y");
  CloseText(file);
  EXPECT_EQ(TakeIoError(), 0);
  EXPECT_EQ(ReadWholeFile(name), "<missing>");
  EXPECT_EQ(ReadWholeFile(name + ".overflow"), "y");
}

}  // namespace
}  // namespace skimdex
