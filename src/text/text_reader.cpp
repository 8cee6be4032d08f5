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
  if (capacity_ == kBufferSize && spare_buffer.compare_exchange_strong(empty, buffer_.get())) buffer_.release();
}

ReadResult MemoryByteSource::Read(char* buffer, std::size_t capacity) {
  const std::size_t count = std::min({capacity, max_chunk_, rest_.size()});
  std::memcpy(buffer, rest_.data(), count);
  rest_.remove_prefix(count);
  return {count, 0};
}

// Asks for whole blocks only, so that every read starts at a block's start and a failed one is tried
// again for exactly the block there.
bool TextReader::ReadMore() {
  if (capacity_ - end_ < kBlockSize) {
    auto larger = std::make_unique_for_overwrite<char[]>(capacity_ * 2);
    std::memcpy(larger.get(), buffer_.get(), end_);
    buffer_ = std::move(larger);
    capacity_ *= 2;
  }
  const std::size_t room = (capacity_ - end_) / kBlockSize * kBlockSize;
  char* const into = buffer_.get() + end_;
  ReadResult result = source_->Read(into, room);
  if (result.error != 0) result = source_->Read(into, kBlockSize);
  if (result.error != 0) {
    read_error_ = result.error;
    return false;
  }
  end_ += std::min(result.count, room);
  return result.count > 0;
}

void TextReader::KeepAtFront(std::size_t start) {
  std::memmove(buffer_.get(), buffer_.get() + start, end_ - start);
  end_ -= start;
  position_ -= start;
}

bool TextReader::Fill() {
  if (position_ < end_) return buffer_[position_] != kCtrlZ;
  position_ = end_ = 0;
  return ReadMore() && buffer_[0] != kCtrlZ;
}

bool TextReader::AtEndSkippingBlanks() {
  while (Fill()) {
    if (!IsBlank(buffer_[position_])) return false;
    ++position_;
  }
  return true;
}

std::string_view TextReader::ReadTextLine() {
  if (!Fill()) return {};
  std::size_t searched = position_;
  for (;;) {
    const char* const begin = buffer_.get() + searched;
    const char* const end = buffer_.get() + end_;
    const char* const stop = FirstOf(kCtrlZ, begin, FirstOf(kCr, begin, end));
    if (stop != end) {
      searched = static_cast<std::size_t>(stop - buffer_.get());
      break;
    }
    // The line goes on past the bytes held, or the data ends with it.
    KeepAtFront(position_);
    searched = end_;
    if (!ReadMore()) {
      position_ = end_;
      return {buffer_.get(), end_};
    }
  }
  std::size_t start = position_;
  const std::size_t length = searched - start;
  if (buffer_[searched] == kCtrlZ) {  // never consumed
    position_ = searched;
    return {buffer_.get() + start, length};
  }
  position_ = searched + 1;
  // The LF after the CR may be the next byte still to read.
  if (position_ == end_) {
    KeepAtFront(start);
    start = 0;
    ReadMore();
  }
  if (position_ < end_ && buffer_[position_] == kLf) ++position_;
  return {buffer_.get() + start, length};
}

}  // namespace skimdex
