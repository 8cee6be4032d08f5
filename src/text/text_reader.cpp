#include "text/text_reader.h"

#include <algorithm>
#include <cstring>

namespace skimdex {
namespace {

constexpr char kCr = 0x0D;
constexpr char kLf = 0x0A;
constexpr char kCtrlZ = 0x1A;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20 && c != kCtrlZ; }

}  // namespace

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
std::string TextReader::ReadTextLine() {
  std::string line;
  while (Fill()) {
    const char* begin = buffer_.get() + position_;
    const char* end = buffer_.get() + end_;
    const char* stop = std::find_if(begin, end, [](char c) { return c == kCr || c == kCtrlZ; });
    line.append(begin, stop);
    position_ = static_cast<std::size_t>(stop - buffer_.get());
    if (stop == end || *stop == kCtrlZ) continue;
    ++position_;
    if (Fill() && buffer_[position_] == kLf) ++position_;
    return line;
  }
  return line;
}

}  // namespace skimdex
