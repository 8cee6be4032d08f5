#include "sjisconv/sjisconv.h"

#include <algorithm>
#include <string_view>

namespace skimdex {

ConverterState converter_state;

namespace {

constexpr unsigned char kSo = 0x0E;
constexpr unsigned char kSi = 0x0F;
constexpr unsigned char kEsc = 0x1B;
constexpr unsigned char kSs2 = 0x8E;

struct JisEscape {
  unsigned char first;
  unsigned char second;
  bool kanji_mode;
  bool kana_mode;
};

constexpr JisEscape kJisEscapes[] = {
    {'$', '@', true, false},  {'$', 'B', true, false},  {'(', 'B', false, false},
    {'(', 'H', false, false}, {'(', 'J', false, false}, {'(', 'I', false, true},
};

bool IsHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Bytes 0x80..0x9F other than SS2 occur in Shift_JIS text only.
bool MarksShiftJis(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= 0x80 && b <= 0x9F && b != kSs2;
}

bool IsHalfWidthKana(unsigned char b) { return b >= 0xA1 && b <= 0xDF; }

// JIS X 0201 katakana with bit 7 clear, as in JIS kana mode.
bool IsSevenBitKana(unsigned char b) { return b >= 0x21 && b <= 0x5F; }

std::string_view ExaminedPart(const std::string& text) {
  constexpr std::string_view kLineEnds(
      "\x00\n"
      "\r\x1A",
      4);
  return std::string_view(text).substr(0, text.find_first_of(kLineEnds));
}

// EUC-JP pairs every high byte with the byte after it.
bool HasUnpairedHighByte(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); i += IsHigh(text[i]) ? 2 : 1) {
    if (IsHigh(text[i]) && i + 1 == text.size()) return true;
  }
  return false;
}

bool KanaFollowsLastSs2(std::string_view text) {
  const std::size_t ss2 = text.rfind(static_cast<char>(kSs2));
  if (ss2 == std::string_view::npos) return true;
  const std::string_view after = text.substr(ss2 + 1);
  const auto high = std::find_if(after.begin(), after.end(), IsHigh);
  return high == after.end() || IsHalfWidthKana(static_cast<unsigned char>(*high));
}

void RemoveAndCut(WorkingCopy& text, std::size_t count) {
  text.Remove(count);
  text.CutAtLf();
}

// A first byte with nothing after it stays as it is.
std::size_t ConvertPair(WorkingCopy& text, unsigned char c1, unsigned char second_mask) {
  if (!text.Has(1)) return 1;
  const SjisPair sjis = JisPairToSjis(c1, text.At(1) & second_mask);
  text.Set(0, sjis.lead);
  text.Set(1, sjis.trail);
  return 2;
}

// Clears bit 7 of the two bytes after an ESC, as far as they exist, then looks them up.
const JisEscape* MatchJisEscape(WorkingCopy& text) {
  for (std::size_t i = 1; i <= 2 && text.Has(i); ++i) text.Set(i, text.At(i) & 0x7F);
  if (!text.Has(2)) return nullptr;
  for (const JisEscape& escape : kJisEscapes) {
    if (text.At(1) == escape.first && text.At(2) == escape.second) return &escape;
  }
  return nullptr;
}

}  // namespace

DetectedCode DetectCode(const std::string& text) {
  const std::string_view examined = ExaminedPart(text);
  if (std::none_of(examined.begin(), examined.end(), IsHigh)) return DetectedCode::Jis;
  if (std::any_of(examined.begin(), examined.end(), MarksShiftJis) || HasUnpairedHighByte(examined) ||
      !KanaFollowsLastSs2(examined)) {
    return DetectedCode::Sjis;
  }
  return DetectedCode::Euc;
}

SjisPair JisPairToSjis(unsigned char c1, unsigned char c2) {
  const int k = (c1 - 0x21) * 94 + (c2 - 0x21);
  int lead = k / 188 + 0x81;
  if (lead > 0x9F) lead += 0x40;
  int trail = k % 188 + 0x40;
  if (trail > 0x7E) ++trail;
  return {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
}

WorkingCopy::WorkingCopy(const std::string& text) : bytes_(text.substr(0, text.find('\0'))) {
  end_ = bytes_.size();
}

bool WorkingCopy::Has(std::size_t offset) const {
  return position_ + offset < end_ && bytes_[position_ + offset] != '\0';
}

unsigned char WorkingCopy::At(std::size_t offset) const {
  return static_cast<unsigned char>(bytes_[position_ + offset]);
}

void WorkingCopy::Set(std::size_t offset, unsigned char byte) {
  bytes_[position_ + offset] = static_cast<char>(byte);
  set_end_ = std::max(set_end_, position_ + offset + 1);
}

void WorkingCopy::Remove(std::size_t count) { position_ += count; }

void WorkingCopy::CutAtLf() { end_ = FirstLf(); }

void WorkingCopy::Advance(std::size_t count) {
  for (; count > 0; --count) bytes_[finished_++] = bytes_[position_++];
}

std::string WorkingCopy::Finished() const {
  const std::string_view done(bytes_.data(), finished_);
  return std::string(done.substr(0, done.find('\0')));
}

// Steps change bytes only just ahead of the position, so those few are re-checked; beyond them the
// search resumes where the last one stopped, and all cuts together read each byte about once.
std::size_t WorkingCopy::FirstLf() {
  const std::size_t changed_end = std::clamp(set_end_, position_, end_);
  for (std::size_t i = position_; i < changed_end; ++i) {
    if (bytes_[i] == '\n') return i;
  }
  lf_scan_ = std::max(lf_scan_, changed_end);
  while (lf_scan_ < end_ && bytes_[lf_scan_] != '\n') ++lf_scan_;
  return std::min(lf_scan_, end_);
}

std::size_t ConvertJisStep(WorkingCopy& text) {
  const unsigned char b = text.At(0) & 0x7F;
  text.Set(0, b);
  if (b == kSo || b == kSi) {
    converter_state = {.kanji_mode = false, .kana_mode = b == kSo};
    RemoveAndCut(text, 1);
    return 0;
  }
  if (b == kEsc) {
    if (const JisEscape* escape = MatchJisEscape(text)) {
      converter_state = {.kanji_mode = escape->kanji_mode, .kana_mode = escape->kana_mode};
      text.Remove(3);  // no cut here: text after a shift stays
      return 0;
    }
  }
  if (!converter_state.kanji_mode) {
    if (converter_state.kana_mode && IsSevenBitKana(b)) text.Set(0, b | 0x80);
    return 1;
  }
  if (b < 0x21 || b > 0x7E) return 1;
  return ConvertPair(text, b, 0xFF);  // the second byte is taken as it is
}

std::size_t ConvertEucStep(WorkingCopy& text) {
  const unsigned char b = text.At(0);
  if (b == kEsc && text.Has(2) && text.At(1) == '(' && (text.At(2) == 'I' || text.At(2) == 'J')) {
    converter_state.kana_mode = text.At(2) == 'I';
    RemoveAndCut(text, 3);
    return 0;
  }
  if (b == kSo || b == kSi) {
    converter_state.kana_mode = b == kSo;
    RemoveAndCut(text, 1);
    return 0;
  }
  if (converter_state.kana_mode) {
    if (IsSevenBitKana(b)) text.Set(0, b | 0x80);
    return 1;
  }
  if (b == kSs2 && text.Has(1) && IsHalfWidthKana(text.At(1))) {
    RemoveAndCut(text, 1);  // the katakana byte now at the position is already Shift_JIS
    return 1;
  }
  if (b >= 0xA1 && b <= 0xFE) return ConvertPair(text, b & 0x7F, 0x7F);
  text.Set(0, b & 0x7F);
  return 1;
}

std::string TAutoSjisConv::ConvertToSjis(const std::string& source) const {
  if (source.empty()) return {};
  converter_state = {};
  const DetectedCode code = DetectCode(source);
  if (code == DetectedCode::Sjis) return source.substr(0, source.find('\0'));

  WorkingCopy text(source);
  const auto step = code == DetectedCode::Jis ? ConvertJisStep : ConvertEucStep;
  while (text.Has(0)) text.Advance(step(text));
  return text.Finished();
}

}  // namespace skimdex
