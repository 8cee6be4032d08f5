#pragma once

#include <cstddef>
#include <string>

#include "text/text_reader.h"

namespace skimdex {

// A page's bytes as its title is read from them: a page that begins with a UTF-16 byte order mark
// comes as UTF-8 (each unit's character, the mark itself left out), any other page as it is. A byte
// page's UTF-8 validity is followed along as it is read, so that the test of the whole page never
// reads a byte twice nor holds more than one block.
class PageBytes final : public ByteSource {
 public:
  explicit PageBytes(ByteSource& file) : file_(&file) {}

  ReadResult Read(char* buffer, std::size_t capacity) override;
  // Known after the first read.
  bool Utf16() const { return utf16_; }
  // Whether the whole byte page is UTF-8 and holds no ISO-2022-JP escape: reads on to its end for
  // that, stopping at the first fault. False for a UTF-16 page and after a failed read.
  bool ReadsOnAsUtf8();

 private:
  // Follows the UTF-8 decoder's states over bytes; once it fails it stays failed.
  class Utf8Check {
   public:
    void Take(std::string_view bytes);
    bool Failed() const { return failed_; }
    bool Whole() const { return !failed_ && needed_ == 0; }

   private:
    bool TakeByte(unsigned char b);
    int needed_ = 0;  // continuation bytes still to come
    unsigned char lower_ = 0x80, upper_ = 0xBF;
    bool after_escape_ = false;
    bool failed_ = false;
  };

  ReadResult FirstRead(char* buffer, std::size_t capacity);
  ReadResult ReadUtf16(char* buffer, std::size_t capacity);
  ReadResult HandOut(char* buffer, std::size_t capacity);
  void DecodeUtf16(std::string_view bytes);
  void EndUtf16();

  ByteSource* file_;
  bool first_read_done_ = false;
  bool utf16_ = false;
  bool big_endian_ = false;
  std::string decoded_;  // UTF-8 of a UTF-16 page not yet handed out, from decoded_at_ on
  std::size_t decoded_at_ = 0;
  bool ended_ = false;
  int odd_byte_ = -1;            // a UTF-16 unit's first byte, waiting for its second
  char16_t high_surrogate_ = 0;  // waiting for its partner
  Utf8Check check_;
};

}  // namespace skimdex
