#pragma once

#include <cstddef>
#include <string>

// Page titles in Shift_JIS, EUC-JP or 7-bit JIS (ISO-2022-JP), rewritten as Shift_JIS. JIS X 0208 is
// mapped by arithmetic, with no tables.
namespace skimdex {

// The JIS and EUC-JP shift flags: one copy for the whole process, shared by every converter.
struct ConverterState {
  bool kanji_mode = false;  // two-byte JIS X 0208
  bool kana_mode = false;   // JIS X 0201 katakana
};
extern ConverterState converter_state;

enum class DetectedCode { Jis = 0, Euc = 1, Sjis = 2 };

// Judges the bytes before the first NUL, LF, CR or Ctrl-Z; Jis means none of them is above 0x7F.
DetectedCode DetectCode(const std::string& text);

struct SjisPair {
  unsigned char lead;
  unsigned char trail;
};
// JIS X 0208 row and cell bytes (0x21..0x7E) to Shift_JIS. Other bytes go through the same arithmetic,
// with division truncating toward zero.
SjisPair JisPairToSjis(unsigned char c1, unsigned char c2);

// The text under conversion: finished bytes, then the bytes still to convert, from the position on.
// Removing or cutting at the position moves no bytes, which keeps a whole conversion linear.
class WorkingCopy {
 public:
  explicit WorkingCopy(const std::string& text);

  // Offsets count from the position. The text ends at its first NUL.
  bool Has(std::size_t offset) const;
  unsigned char At(std::size_t offset) const;
  void Set(std::size_t offset, unsigned char byte);

  void Remove(std::size_t count);  // the bytes after them take their place
  void CutAtLf();                  // drops the first LF at or after the position, and all after it
  void Advance(std::size_t count);

  // The finished bytes, up to their first NUL.
  std::string Finished() const;

 private:
  std::size_t FirstLf();

  std::string bytes_;
  std::size_t finished_ = 0;  // bytes_[0, finished_) are done; never beyond position_
  std::size_t position_ = 0;
  std::size_t end_;
  std::size_t lf_scan_ = 0;  // the LF search resumes here: bytes it passed held no LF
  std::size_t set_end_ = 0;  // one past the furthest byte Set changed; the search re-checks those
};

// One conversion step at the position. It may rewrite, remove or cut there and switch converter_state.
// Returns the number of bytes finished: 0 after a removal that brings a new byte to the position.
std::size_t ConvertJisStep(WorkingCopy& text);
std::size_t ConvertEucStep(WorkingCopy& text);

class TAutoSjisConv {
 public:
  // Returns `source` as Shift_JIS, up to its first NUL. Every call starts with both shift modes off, so one
  // title's unterminated shift cannot garble the next; an empty source returns at once and changes nothing.
  std::string ConvertToSjis(const std::string& source) const;
};

}  // namespace skimdex
