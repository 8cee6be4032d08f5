#include "cmd/command_line.h"

#include <gtest/gtest.h>

#include "text/exception.h"

namespace skimdex {
namespace {

TEST(ParseCommandLine, AcceptsTheUsageOnly) {
  struct Case {
    std::vector<std::string> arguments;
    bool valid;
    std::optional<std::int32_t> depth;
    bool overwrite;
    std::optional<std::string> folder, output;
  } cases[] = {
      {{}, true, {}, false, {}, {}},
      {{"C:\\Web"}, true, {}, false, "C:\\Web", {}},
      {{"--depth", "3", "--yes", "C:\\Web", "out.html"}, true, 3, true, "C:\\Web", "out.html"},
      {{"C:\\Web", "--depth", "$A"}, true, 10, false, "C:\\Web", {}},
      {{"--", "--yes"}, true, {}, false, "--yes", {}},
      {{"-"}, true, {}, false, "-", {}},
      // The system's rules hand `"C:\" "D:\my site\"` over with quotes for the last "\".
      {{"C:\"", "D:\\my site\""}, true, {}, false, "C:\\", "D:\\my site\\"},
      {{"a", "b", "c"}, false, {}, false, {}, {}},
      {{"--depth"}, false, {}, false, {}, {}},
      {{"--deep", "3"}, false, {}, false, {}, {}},
      {{"-y"}, false, {}, false, {}, {}},
      {{"C:\\Web", ""}, false, {}, false, {}, {}},  // an empty output name would mean standard output
  };
  for (const Case& c : cases) {
    const auto line = ParseCommandLine(c.arguments);
    ASSERT_EQ(line.has_value(), c.valid) << ::testing::PrintToString(c.arguments);
    if (!line) continue;
    EXPECT_EQ(line->depth, c.depth);
    EXPECT_EQ(line->overwrite, c.overwrite);
    EXPECT_EQ(line->folder, c.folder);
    EXPECT_EQ(line->output, c.output);
  }
  EXPECT_THROW(ParseCommandLine({"--depth", "3 "}), EConvertError);
}

}  // namespace
}  // namespace skimdex
