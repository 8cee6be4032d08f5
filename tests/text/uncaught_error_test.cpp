#include "text/uncaught_error.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "text/exception.h"

namespace skimdex {
namespace {

TEST(UncaughtErrorText, AppendsAStopAfterCharactersAboveIt) {
  const struct {
    std::shared_ptr<std::exception> error;
    std::optional<std::string> text;
  } cases[] = {
      // ファイルが見つかりません: ん is 82 F1
      {std::make_shared<Exception>(
           "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1"),
       "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1."},
      // I/O エラー (103): ")" lies below "."
      {std::make_shared<Exception>("I/O \x83\x47\x83\x89\x81\x5B (103)"),
       "I/O \x83\x47\x83\x89\x81\x5B (103)"},
      {std::make_shared<Exception>("done."), "done."},
      {std::make_shared<Exception>("a-"), "a-"},
      {std::make_shared<Exception>("a/"), "a/."},
      {std::make_shared<Exception>("7"), "7."},
      {std::make_shared<Exception>("\x95\x5C"), "\x95\x5C."},  // 表: judged by its lead byte
      {std::make_shared<Exception>("\xB1"), "\xB1."},          // half-width ｱ
      {std::make_shared<Exception>(""), ""},
      {std::make_shared<std::runtime_error>("disk"), "disk."},
      {std::make_shared<EConvertError>("'x' bad"), "'x' bad."},
      {std::make_shared<EAbort>("quiet"), std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(UncaughtErrorText(*c.error), c.text) << c.error->what();
}

}  // namespace
}  // namespace skimdex
