#pragma once

#include <cstddef>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

// Line reading over any byte source: the rules of the text file, kept free of Windows so that they
// run natively under sanitizers and fuzzers. The lines never depend on how the source cuts its bytes.
namespace skimdex {

struct ReadResult {
  std::size_t count = 0;  // 0 is the end of the data
  int error = 0;          // the platform's error number of a failed read, else 0
};

// Where a reader's bytes come from: a file handle, or memory in tests and fuzzers.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual ReadResult Read(char* buffer, std::size_t capacity) = 0;
};

// Hands out `bytes` in pieces of at most `max_chunk` bytes, as a pipe might.
class MemoryByteSource final : public ByteSource {
 public:
  explicit MemoryByteSource(std::string_view bytes,
                            std::size_t max_chunk = std::numeric_limits<std::size_t>::max())
      : rest_(bytes), max_chunk_(max_chunk) {}
  ReadResult Read(char* buffer, std::size_t capacity) override;

 private:
  std::string_view rest_;
  std::size_t max_chunk_;
};

// What the title scan reads: lines, with blank runs between them passed over.
class LineSource {
 public:
  virtual ~LineSource() = default;
  // Passes bytes 0x00-0x20 except Ctrl-Z; true at Ctrl-Z or the end of the data.
  virtual bool AtEndSkippingBlanks() = 0;
  // Up to the next CR, which is consumed with an LF after it; a lone LF stays in the line. The view is
  // valid until the next call on this source.
  virtual std::string_view ReadTextLine() = 0;
};

// Ctrl-Z ends the data as the real end does: neither is ever consumed, so nothing after a Ctrl-Z is
// read. A failed read also counts as the end; its error number waits in TakeReadError.
class TextReader final : public LineSource {
 public:
  // Asked of the source at once: a page's head usually arrives in one read.
  static constexpr std::size_t kBufferSize = 64 * 1024;
  // A read that fails is tried again for this much, the block of the text file's rule: a failure
  // beyond the bytes the lines need (a range another program locked) then changes nothing.
  static constexpr std::size_t kBlockSize = 128;

  explicit TextReader(ByteSource& source);
  ~TextReader() override;
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;

  bool AtEndSkippingBlanks() override;
  // Every line is handed out where it lies in the buffer: a line that goes on past the bytes held is
  // moved to the buffer's front and the rest read after it, the buffer growing for a longer line.
  std::string_view ReadTextLine() override;

  // The error number of the last failed read since the previous call, or 0.
  int TakeReadError() { return std::exchange(read_error_, 0); }

 private:
  bool Fill();  // false at the end of the data; the buffer then stays empty
  bool ReadMore();  // appends to the bytes held; false at the end of the data
  void KeepAtFront(std::size_t start);  // drops the bytes before `start`

  ByteSource* source_;
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_ = kBufferSize;
  std::size_t position_ = 0;
  std::size_t end_ = 0;
  int read_error_ = 0;
};

}  // namespace skimdex
