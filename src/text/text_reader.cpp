#include "text/text_reader.h"

#include "text/byte_search.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>

namespace skimdex {
namespace {

constexpr char kCr = 0x0D;
constexpr char kLf = 0x0A;
constexpr char kCtrlZ = 0x1A;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20 && c != kCtrlZ; }

// The first `c` in [begin, end), or end.
const char* FirstOf(char c, const char* begin, const char* end) {
  const std::size_t at = FindByte(std::string_view(begin, static_cast<std::size_t>(end - begin)), c);
  return at == std::string_view::npos ? end : begin + at;
}

// A reader is made for every page whose title is read: one buffer is kept for the next reader, since a
// fresh block of that size is a fresh mapping of memory for the system each time. It is kept in a plain
// atomic slot: a thread-local pool's destructor at the end of the window's run thread corrupted the
// heap in the MinGW build.
std::atomic<char*> spare_buffer{nullptr};

}  // namespace

TextReader::TextReader(ByteSource& source) : source_(&source), buffer_(spare_buffer.exchange(nullptr)) {
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
}

TextReader::~TextReader() {
  char* empty = nullptr;
  if (spare_buffer.compare_exchange_strong(empty, buffer_.get())) buffer_.release();
}

ReadResult MemoryByteSource::Read(char* buffer, std::size_t capacity) {
  const std::size_t count = std::min({capacity, max_chunk_, rest_.size()});
  std::memcpy(buffer, rest_.data(), count);
  rest_.remove_prefix(count);
  return {count, 0};
}

bool TextReader::Fill() {
  if (position_ < end_) return buffer_[position_] != kCtrlZ;
  position_ = end_ = 0;
  ReadResult result = source_->Read(buffer_.get(), kBufferSize);
  if (result.error != 0) result = source_->Read(buffer_.get(), kBlockSize);
  if (result.error != 0) {
    read_error_ = result.error;
    return false;
  }
  end_ = std::min(result.count, kBufferSize);
  return end_ > 0 && buffer_[0] != kCtrlZ;
}

bool TextReader::AtEndSkippingBlanks() {
  while (Fill()) {
    if (!IsBlank(buffer_[position_])) return false;
    ++position_;
  }
  return true;
}

// Whole buffer runs are appended at once, so a line of any length costs time in proportion to it.
std::string_view TextReader::ReadTextLine() {
  long_line_.clear();
  bool copied = false;
  while (Fill()) {
    const char* begin = buffer_.get() + position_;
    const char* end = buffer_.get() + end_;
    const char* stop = FirstOf(kCr, begin, end);
    stop = FirstOf(kCtrlZ, begin, stop);
    position_ = static_cast<std::size_t>(stop - buffer_.get());
    if (stop == end || *stop == kCtrlZ) {
      long_line_.append(begin, stop);  // the line goes on, or the data ends
      copied = true;
      continue;
    }
    ++position_;
    const std::string_view in_place(begin, static_cast<std::size_t>(stop - begin));
    if (copied) long_line_.append(in_place);
    // The LF after the CR may lie in the next buffer; a line in place stays valid only without a refill.
    if (position_ < end_ && buffer_[position_] == kLf) {
      ++position_;
    } else if (position_ == end_) {
      if (!copied) long_line_.assign(in_place);
      copied = true;
      if (Fill() && buffer_[position_] == kLf) ++position_;
    }
    return copied ? std::string_view(long_line_) : in_place;
  }
  return long_line_;
}

}  // namespace skimdex
