#include "index/page_bytes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "text/utf8.h"

namespace skimdex {
namespace {

constexpr std::size_t kMarkSize = 2;
constexpr char kEscape = 0x1B;
constexpr char32_t kReplacement = 0xFFFD;

// Whether none of the eight bytes of `word` has its top bit set or is an escape.
bool PlainWord(std::uint64_t word) {
  constexpr std::uint64_t kOnes = 0x0101010101010101, kTops = 0x8080808080808080;
  const std::uint64_t escapes = word ^ (kOnes * kEscape);
  return ((word | ((escapes - kOnes) & ~escapes)) & kTops) == 0;
}

}  // namespace

ReadResult PageBytes::Read(char* buffer, std::size_t capacity) {
  if (!first_read_done_) return FirstRead(buffer, capacity);
  if (utf16_) return ReadUtf16(buffer, capacity);
  const ReadResult got = file_->Read(buffer, capacity);
  if (!check_.Failed()) check_.Take(std::string_view(buffer, got.count));
  return got;
}

// The first read goes on until it holds the two bytes of a mark, so that the page's head is read
// in one go into the reader's buffer. A failure before any byte is tried again with the next read.
ReadResult PageBytes::FirstRead(char* buffer, std::size_t capacity) {
  std::size_t count = 0;
  ReadResult got;
  do {
    got = file_->Read(buffer + count, capacity - count);
    count += got.count;
  } while (got.count > 0 && count < kMarkSize && count < capacity);
  if (got.error != 0 && count == 0) return got;
  first_read_done_ = true;
  const std::string_view head(buffer, std::min(count, kMarkSize));
  utf16_ = head == "\xFF\xFE" || head == "\xFE\xFF";
  big_endian_ = head == "\xFE\xFF";
  if (!utf16_) {
    check_.Take(std::string_view(buffer, count));
    return {count, 0};
  }
  DecodeUtf16(std::string_view(buffer + kMarkSize, count - kMarkSize));
  return ReadUtf16(buffer, capacity);
}

bool PageBytes::ReadsOnAsUtf8() {
  if (utf16_) return false;
  const auto block = std::make_unique_for_overwrite<char[]>(TextReader::kBufferSize);
  while (!check_.Failed()) {
    const ReadResult got = file_->Read(block.get(), TextReader::kBufferSize);
    if (got.error != 0) return false;
    if (got.count == 0) break;
    check_.Take(std::string_view(block.get(), got.count));
  }
  return check_.Whole();
}

// The decoded text is handed out as the reader asks; the file is read on only when it runs out.
ReadResult PageBytes::ReadUtf16(char* buffer, std::size_t capacity) {
  while (decoded_at_ == decoded_.size() && !ended_) {
    const ReadResult got = file_->Read(buffer, capacity);
    if (got.error != 0) return got;
    if (got.count == 0) {
      EndUtf16();
    } else {
      DecodeUtf16(std::string_view(buffer, got.count));
    }
  }
  return HandOut(buffer, capacity);
}

ReadResult PageBytes::HandOut(char* buffer, std::size_t capacity) {
  const std::size_t count = std::min(capacity, decoded_.size() - decoded_at_);
  std::memcpy(buffer, decoded_.data() + decoded_at_, count);
  decoded_at_ += count;
  if (decoded_at_ == decoded_.size()) {
    decoded_.clear();
    decoded_at_ = 0;
  }
  return {count, 0};
}

// A surrogate without its partner, and an odd last byte, stand as U+FFFD, as a browser shows them.
void PageBytes::DecodeUtf16(std::string_view bytes) {
  for (const char byte : bytes) {
    if (odd_byte_ < 0) {
      odd_byte_ = static_cast<unsigned char>(byte);
      continue;
    }
    const auto second = static_cast<unsigned char>(byte);
    const auto unit = static_cast<char16_t>(big_endian_ ? odd_byte_ << 8 | second : second << 8 | odd_byte_);
    odd_byte_ = -1;
    const bool high = unit >= 0xD800 && unit <= 0xDBFF, low = unit >= 0xDC00 && unit <= 0xDFFF;
    if (high_surrogate_ != 0 && low) {
      AppendUtf8(decoded_, 0x10000 + ((high_surrogate_ - 0xD800) << 10) + (unit - 0xDC00));
      high_surrogate_ = 0;
      continue;
    }
    if (high_surrogate_ != 0) AppendUtf8(decoded_, kReplacement);
    high_surrogate_ = high ? unit : 0;
    if (!high) AppendUtf8(decoded_, low ? kReplacement : unit);
  }
}

void PageBytes::EndUtf16() {
  if (high_surrogate_ != 0 || odd_byte_ >= 0) AppendUtf8(decoded_, kReplacement);
  high_surrogate_ = 0;
  odd_byte_ = -1;
  ended_ = true;
}

// Runs of plain ASCII go eight bytes at a time: most of a page is markup.
void PageBytes::Utf8Check::Take(std::string_view bytes) {
  std::size_t at = 0;
  while (at < bytes.size() && !failed_) {
    if (needed_ == 0 && !after_escape_) {
      std::uint64_t word;
      for (; bytes.size() - at >= sizeof word; at += sizeof word) {
        std::memcpy(&word, bytes.data() + at, sizeof word);
        if (!PlainWord(word)) break;
      }
      if (at == bytes.size()) break;
    }
    failed_ = !TakeByte(static_cast<unsigned char>(bytes[at++]));
  }
}

// The standard's UTF-8 decoder: the bounds of the next continuation byte exclude overlong forms,
// surrogates and values past U+10FFFF. An escape followed by "$" or "(" starts an ISO-2022-JP shift.
bool PageBytes::Utf8Check::TakeByte(unsigned char b) {
  const bool shift = after_escape_ && (b == '$' || b == '(');
  after_escape_ = b == kEscape;
  if (shift) return false;
  if (needed_ > 0) {
    if (b < lower_ || b > upper_) return false;
    lower_ = 0x80;
    upper_ = 0xBF;
    --needed_;
    return true;
  }
  if (b < 0x80) return true;
  if (b >= 0xC2 && b <= 0xDF) {
    needed_ = 1;
  } else if (b >= 0xE0 && b <= 0xEF) {
    needed_ = 2;
    if (b == 0xE0) lower_ = 0xA0;
    if (b == 0xED) upper_ = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    needed_ = 3;
    if (b == 0xF0) lower_ = 0x90;
    if (b == 0xF4) upper_ = 0x8F;
  } else {
    return false;
  }
  return true;
}

}  // namespace skimdex
