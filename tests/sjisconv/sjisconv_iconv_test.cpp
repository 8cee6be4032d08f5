// Cross-checks the converter against glibc's iconv on random well-formed EUC-JP and 7-bit JIS titles.
#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "sjisconv/sjisconv.h"

namespace skimdex {
namespace {

class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (Opened()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool Opened() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // The whole text converted, shift state closed, or nothing if iconv rejects any of it.
  std::optional<std::string> Convert(std::string text) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out(text.size() * 4 + 16, '\0');
    char* in = text.data();
    std::size_t in_left = text.size();
    char* at = out.data();
    std::size_t out_left = out.size();
    if (iconv(cd_, &in, &in_left, &at, &out_left) == static_cast<std::size_t>(-1) ||
        iconv(cd_, nullptr, nullptr, &at, &out_left) == static_cast<std::size_t>(-1)) {
      return std::nullopt;
    }
    out.resize(out.size() - out_left);
    return out;
  }

 private:
  iconv_t cd_;
};

// EUC-JP characters that glibc takes to Shift_JIS and back unchanged.
struct Repertoire {
  std::vector<std::string> ascii;
  std::vector<std::string> kanji;  // JIS X 0208 rows 1 to 84
  std::vector<std::string> kana;   // half-width katakana, SS2 and a byte
};

Repertoire BuildRepertoire(Iconv& to_sjis, Iconv& to_euc) {
  const auto round_trips = [&](const std::string& euc) {
    const auto sjis = to_sjis.Convert(euc);
    return sjis && to_euc.Convert(*sjis) == euc;
  };
  Repertoire r;
  // Printable only: titles are single lines, and SO, SI and ESC would be shifts.
  for (int b = 0x20; b <= 0x7E; ++b) {
    const std::string c(1, static_cast<char>(b));
    if (to_sjis.Convert(c) == c) r.ascii.push_back(c);  // glibc may read 0x5C and 0x7E as yen and overline
  }
  for (int row = 0xA1; row <= 0xF4; ++row) {
    for (int cell = 0xA1; cell <= 0xFE; ++cell) {
      const std::string c{static_cast<char>(row), static_cast<char>(cell)};
      if (round_trips(c)) r.kanji.push_back(c);
    }
  }
  for (int b = 0xA1; b <= 0xDF; ++b) {
    const std::string c{'\x8E', static_cast<char>(b)};
    if (round_trips(c)) r.kana.push_back(c);
  }
  return r;
}

// Well-formed EUC-JP always detects as EUC-JP: no byte lies in 0x80..0x9F but SS2, every high byte is
// paired, and each SS2 is followed by a katakana byte. So no generated title needs excluding.
class RandomEuc {
 public:
  explicit RandomEuc(const Repertoire& repertoire) : repertoire_(repertoire) {}

  std::string Next(bool with_kana) {
    std::string text;
    const int length = std::uniform_int_distribution<int>(1, 24)(random_);
    for (int i = 0; i < length; ++i) text += Pick(PickSet(with_kana));
    return text;
  }

 private:
  const std::vector<std::string>& PickSet(bool with_kana) {
    switch (std::uniform_int_distribution<int>(0, with_kana ? 2 : 1)(random_)) {
      case 0:
        return repertoire_.ascii;
      case 1:
        return repertoire_.kanji;
      default:
        return repertoire_.kana;
    }
  }

  const std::string& Pick(const std::vector<std::string>& set) {
    return set[std::uniform_int_distribution<std::size_t>(0, set.size() - 1)(random_)];
  }

  const Repertoire& repertoire_;
  std::mt19937 random_{20240611};
};

constexpr int kTitles = 4000;

class IconvAgreementTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(euc_to_sjis_.Opened() && sjis_to_euc_.Opened() && euc_to_jis_.Opened() &&
                euc_to_jis_kana_.Opened());
    repertoire_ = BuildRepertoire(euc_to_sjis_, sjis_to_euc_);
    ASSERT_GT(repertoire_.kanji.size(), 6000u);
    ASSERT_EQ(repertoire_.kana.size(), 63u);
  }

  Iconv euc_to_sjis_{"SHIFT_JIS", "EUC-JP"};
  Iconv sjis_to_euc_{"EUC-JP", "SHIFT_JIS"};
  Iconv euc_to_jis_{"ISO-2022-JP", "EUC-JP"};
  // Plain ISO-2022-JP has no half-width katakana; glibc's ISO-2022-JP-3 writes them after ESC ( I.
  Iconv euc_to_jis_kana_{"ISO-2022-JP-3", "EUC-JP"};
  Repertoire repertoire_;
};

TEST_F(IconvAgreementTest, EucJp) {
  RandomEuc titles(repertoire_);
  for (int i = 0; i < kTitles; ++i) {
    const std::string euc = titles.Next(true);
    const auto sjis = euc_to_sjis_.Convert(euc);
    ASSERT_TRUE(sjis);
    ASSERT_EQ(TAutoSjisConv().ConvertToSjis(euc), *sjis) << testing::PrintToString(euc);
  }
}

TEST_F(IconvAgreementTest, SevenBitJis) {
  RandomEuc titles(repertoire_);
  for (int i = 0; i < kTitles; ++i) {
    const bool with_kana = i % 2 == 1;
    const std::string euc = titles.Next(with_kana);
    const auto jis = (with_kana ? euc_to_jis_kana_ : euc_to_jis_).Convert(euc);
    const auto sjis = euc_to_sjis_.Convert(euc);
    ASSERT_TRUE(jis && sjis);
    ASSERT_EQ(TAutoSjisConv().ConvertToSjis(*jis), *sjis) << testing::PrintToString(*jis);
  }
}

}  // namespace
}  // namespace skimdex
