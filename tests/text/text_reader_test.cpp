#include "text/text_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace skimdex {
namespace {

using Lines = std::vector<std::string>;

// Pieces of one byte, of a few bytes, and whole buffers: line ends and Ctrl-Z fall on every boundary.
constexpr std::size_t kChunkSizes[] = {1, 2, 7, TextReader::kBufferSize, SIZE_MAX};

// The readers' loop: the end test before every line.
Lines ReadSkippingBlanks(std::string_view bytes, std::size_t chunk = SIZE_MAX) {
  MemoryByteSource source(bytes, chunk);
  TextReader reader(source);
  Lines lines;
  while (!reader.AtEndSkippingBlanks()) lines.emplace_back(reader.ReadTextLine());
  return lines;
}

Lines ReadLinesOnly(std::string_view bytes, int count, std::size_t chunk) {
  MemoryByteSource source(bytes, chunk);
  TextReader reader(source);
  Lines lines;
  for (int i = 0; i < count; ++i) lines.emplace_back(reader.ReadTextLine());
  return lines;
}

struct LinesCase {
  std::string bytes;
  Lines lines;
};

TEST(TextReader, LineEndsBlanksAndCtrlZ) {
  using namespace std::string_literals;
  const LinesCase cases[] = {
      {"A\r\nB\r\n", {"A", "B"}},
      {"A\rB", {"A", "B"}},
      {"A\nB", {"A\nB"}},  // a lone LF is part of the line
      {"A\n", {"A\n"}},
      {"A\r\n\r\n  B\r\n", {"A", "B"}},
      {"A\r\r\nB", {"A", "B"}},
      {"\r\n\tA \t\r\n", {"A \t"}},  // leading blanks vanish, trailing ones stay
      {"A\r\n\n B", {"A", "B"}},
      {"\x00\x01\x1F A"s, {"A"}},  // every control byte but Ctrl-Z is a blank
      {"A\0B\r\n"s, {"A\0B"s}},
      {"A\x1Az", {"A"}},
      {"A\r\x1A\n"
       "B",
       {"A"}},
      {"\x1Az", {}},
      {" \x1Az", {}},
      {"", {}},
      {" \t\r\n", {}},
      {"\x7F\r\n", {"\x7F"}},
      {"\x95\x5C\r\n"
       "\xA0x",
       {"\x95\x5C", "\xA0x"}},  // 表 and bytes above 0x7F are not blanks
      {std::string(300, 'a') + "\r\nB", {std::string(300, 'a'), "B"}},
      {std::string(127, 'a') + "\r\nB",
       {std::string(127, 'a'), "B"}},  // CR ends a buffer, LF starts the next
      {std::string(128, 'a') + "\x1Az", {std::string(128, 'a')}},
      {std::string(20000, 'x'), {std::string(20000, 'x')}},
      {std::string(TextReader::kBufferSize - 1, 'a') + "\r\nB",
       {std::string(TextReader::kBufferSize - 1, 'a'), "B"}},  // the LF read after a full buffer
      {"A\r\n" + std::string(3 * TextReader::kBufferSize, 'x') + "\r\nB",
       {"A", std::string(3 * TextReader::kBufferSize, 'x'), "B"}},
  };
  for (const LinesCase& c : cases) {
    for (const std::size_t chunk : kChunkSizes) {
      EXPECT_EQ(ReadSkippingBlanks(c.bytes, chunk), c.lines)
          << ::testing::PrintToString(c.bytes) << " in pieces of " << chunk;
    }
  }
}

TEST(TextReader, WithoutTheEndTestBlanksStayAndTheEndIsNeverConsumed) {
  const struct {
    std::string bytes;
    int count;
    Lines lines;
  } cases[] = {
      {"  A\r\n", 1, {"  A"}},            // leading blanks stay
      {"A\r\n\r\nB", 3, {"A", "", "B"}},  // so does the empty line
      {"A\r", 2, {"A", ""}},
      {"A\x1Az", 3, {"A", "", ""}},  // Ctrl-Z is never consumed
      {"", 2, {"", ""}},
  };
  for (const auto& c : cases) {
    for (const std::size_t chunk : kChunkSizes) {
      EXPECT_EQ(ReadLinesOnly(c.bytes, c.count, chunk), c.lines)
          << ::testing::PrintToString(c.bytes) << " in pieces of " << chunk;
    }
  }
}

// Gives its bytes, then fails with `error` on every later read.
class FailingSource final : public ByteSource {
 public:
  FailingSource(std::string bytes, int error) : bytes_(std::move(bytes)), error_(error) {}
  ReadResult Read(char* buffer, std::size_t capacity) override {
    if (bytes_.empty()) return {0, error_};
    const std::size_t count = bytes_.copy(buffer, capacity);
    bytes_.erase(0, count);
    return {count, 0};
  }

 private:
  std::string bytes_;
  int error_;
};

TEST(TextReader, FailedReadEndsTheDataAndIsReportedOnce) {
  FailingSource source("A\r\nBC", 23);
  TextReader reader(source);
  EXPECT_FALSE(reader.AtEndSkippingBlanks());
  EXPECT_EQ(reader.ReadTextLine(), "A");
  EXPECT_EQ(reader.TakeReadError(), 0);
  EXPECT_FALSE(reader.AtEndSkippingBlanks());
  EXPECT_EQ(reader.ReadTextLine(), "BC");
  EXPECT_EQ(reader.TakeReadError(), 23);
  EXPECT_EQ(reader.TakeReadError(), 0);
  EXPECT_TRUE(reader.AtEndSkippingBlanks());
  EXPECT_EQ(reader.TakeReadError(), 23);
}

// A file of which another program locked every byte from `locked_from` on: a read touching it fails.
struct LockedTailSource final : ByteSource {
  LockedTailSource(std::string_view bytes, std::size_t locked_from)
      : bytes(bytes), locked_from(locked_from) {}
  ReadResult Read(char* buffer, std::size_t capacity) override {
    if (offset + capacity > locked_from) return {0, 33};  // ERROR_LOCK_VIOLATION
    const std::size_t count = bytes.copy(buffer, capacity, offset);
    offset += count;
    return {count, 0};
  }
  std::string_view bytes;
  std::size_t locked_from, offset = 0;
};

// The lines end where the text file's 128-byte blocks first reach the lock, however much is asked at once.
TEST(TextReader, LockedRangeEndsTheDataAtTheFirstBlockReachingIt) {
  const std::string bytes = "<title>T</title>\r\n" + std::string(1000, 'x') + "\r\nlast";
  for (const std::size_t locked_from : {100, 128, 129, 300, 1100}) {
    LockedTailSource source(bytes, locked_from);
    TextReader reader(source);
    Lines lines;
    while (!reader.AtEndSkippingBlanks()) lines.emplace_back(reader.ReadTextLine());
    EXPECT_EQ(lines, ReadSkippingBlanks(std::string_view(bytes).substr(0, locked_from / 128 * 128)))
        << locked_from;
    EXPECT_EQ(reader.TakeReadError(), 33) << locked_from;
  }
}

TEST(TextReader, LineOfSeveralMegabytesComesWhole) {
  std::string bytes(6 << 20, 'x');
  bytes[3 << 20] = '\n';
  const Lines lines = ReadSkippingBlanks(bytes + "\r\nend");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], bytes);
  EXPECT_EQ(lines[1], "end");
}

// A cut input differs from the whole one only in its last line, which the cut shortens.
TEST(TextReader, EveryTruncatedPrefixReadsAsTheStartOfTheWhole) {
  const std::string inputs[] = {
      "<html>\r\n<head>\r\n  <title>Page</title>\r\n</head>\r\n",
      "a\rb\n"
      "c\r\n"
      "\r\n"
      "\t d\x1A\x65",
      std::string(126, 'p') + "\r\n" + std::string(130, 'q') +
          "\r\r\n"
          " \x01z",
  };
  for (const std::string& input : inputs) {
    const Lines whole = ReadSkippingBlanks(input);
    for (std::size_t n = 0; n <= input.size(); ++n) {
      for (const std::size_t chunk : {std::size_t{1}, std::size_t{5}, SIZE_MAX}) {
        const Lines cut = ReadSkippingBlanks(std::string_view(input).substr(0, n), chunk);
        ASSERT_LE(cut.size(), whole.size()) << n;
        for (std::size_t i = 0; i + 1 < cut.size(); ++i) EXPECT_EQ(cut[i], whole[i]) << n;
        if (!cut.empty()) {
          EXPECT_EQ(whole[cut.size() - 1].rfind(cut.back(), 0), 0u) << n;
        }
      }
    }
  }
}

}  // namespace
}  // namespace skimdex
