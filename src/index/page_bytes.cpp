#include "index/page_bytes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "text/utf8.h"

namespace skimdex {
namespace {

constexpr std::size_t kHeadSize = 2;
constexpr char kEscape = 0x1B;
constexpr char32_t kReplacement = 0xFFFD;

// Whether none of the eight bytes of `word` has its top bit set or is an escape.
bool PlainWord(std::uint64_t word) {
  constexpr std::uint64_t kOnes = 0x0101010101010101, kTops = 0x8080808080808080;
  const std::uint64_t escapes = word ^ (kOnes * kEscape);
  return ((word | ((escapes - kOnes) & ~escapes)) & kTops) == 0;
}

}  // namespace

PageBytes::PageBytes(ByteSource& file) : file_(&file) {
  char head[kHeadSize];
  while (pending_.size() < kHeadSize) {
    const ReadResult got = file_->Read(head, kHeadSize - pending_.size());
    if (got.count == 0) break;  // the error, if any, comes again with the next read
    pending_.append(head, got.count);
  }
  utf16_ = pending_ == "\xFF\xFE" || pending_ == "\xFE\xFF";
  big_endian_ = pending_ == "\xFE\xFF";
  if (utf16_) {
    pending_.clear();
  } else {
    check_.Take(pending_);
  }
}

ReadResult PageBytes::Read(char* buffer, std::size_t capacity) {
  if (utf16_) return ReadUtf16(buffer, capacity);
  // The head and the bytes after it in one read, so that the reader's first lines lie in one block.
  const std::size_t head = std::min(capacity, pending_.size() - pending_at_);
  std::memcpy(buffer, pending_.data() + pending_at_, head);
  pending_at_ += head;
  if (head == capacity) return {head, 0};
  const ReadResult got = file_->Read(buffer + head, capacity - head);
  if (got.error != 0 && head > 0) return {head, 0};  // the failure comes again with the next read
  if (!check_.Failed()) check_.Take(std::string_view(buffer + head, got.count));
  return {head + got.count, got.error};
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
  while (pending_at_ == pending_.size() && !ended_) {
    pending_.clear();
    pending_at_ = 0;
    const ReadResult got = file_->Read(buffer, capacity);
    if (got.error != 0) return got;
    if (got.count == 0) {
      EndUtf16();
    } else {
      DecodeUtf16(std::string_view(buffer, got.count));
    }
  }
  const std::size_t count = std::min(capacity, pending_.size() - pending_at_);
  std::memcpy(buffer, pending_.data() + pending_at_, count);
  pending_at_ += count;
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
      AppendUtf8(pending_, 0x10000 + ((high_surrogate_ - 0xD800) << 10) + (unit - 0xDC00));
      high_surrogate_ = 0;
      continue;
    }
    if (high_surrogate_ != 0) AppendUtf8(pending_, kReplacement);
    high_surrogate_ = high ? unit : 0;
    if (!high) AppendUtf8(pending_, low ? kReplacement : unit);
  }
}

void PageBytes::EndUtf16() {
  if (high_surrogate_ != 0 || odd_byte_ >= 0) AppendUtf8(pending_, kReplacement);
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
