#include "text/utf8.h"

#include <gtest/gtest.h>

namespace skimdex {
namespace {

// Every name the system can give, surrogates without a partner included, comes back unchanged.
TEST(Utf8, NamesRoundTripThroughTheProgramsForm) {
  const struct {
    std::u16string units;
    std::string utf8;
  } cases[] = {
      {u"index.html", "index.html"},
      {u"\u6771\u4EAC\u301C\u5927\u962A", "\xE6\x9D\xB1\xE4\xBA\xAC\xE3\x80\x9C\xE5\xA4\xA7\xE9\x98\xAA"},
      {u"caf\u00E9", "caf\xC3\xA9"},
      {u"\U0001F600", "\xF0\x9F\x98\x80"},
      {u"a\xD800"
       u"b",
       "a\xED\xA0\x80"
       "b"},                                          // a high surrogate alone
      {u"\xDC00\xD800", "\xED\xB0\x80\xED\xA0\x80"},  // a low one before a high one: no pair
      {u"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8OfUtf16(c.units), c.utf8) << c.utf8;
    EXPECT_EQ(Utf16OfUtf8(c.utf8), c.units) << c.utf8;
  }
  EXPECT_EQ(Utf16OfUtf8("a\xFF\xC3"), u"a\uFFFD\uFFFD");  // bytes that start no character
  std::size_t at = 0;
  EXPECT_EQ(DecodeUtf8Character("\xED\xA0\x80", at), std::nullopt);  // a page's text refuses it
}

}  // namespace
}  // namespace skimdex
