#include "text/path.h"

#include <gtest/gtest.h>

namespace skimdex {
namespace {

struct PathCase {
  std::string path, folder, name, extension, without_extension, parent;
};

class PathParts : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathParts, SplitsWithoutBreakingCharacters) {
  const PathCase& c = GetParam();
  EXPECT_EQ(FolderPartOf(c.path), c.folder);
  EXPECT_EQ(NamePartOf(c.path), c.name);
  EXPECT_EQ(ExtensionOf(c.path), c.extension);
  EXPECT_EQ(WithoutExtension(c.path), c.without_extension);
  EXPECT_EQ(ParentFolderOf(c.path), c.parent);
}

// 表 and ソ in UTF-8, whose code page 932 forms end in "\"; 〜 (E3 80 9C) has none.
const std::string hyo = "\xE8\xA1\xA8", so = "\xE3\x82\xBD";
INSTANTIATE_TEST_SUITE_P(
    Table, PathParts,
    ::testing::Values(
        PathCase{"C:\\Web\\index.html", "C:\\Web\\", "index.html", ".html", "C:\\Web\\index", "C:\\Web"},
        PathCase{"C:\\index.html", "C:\\", "index.html", ".html", "C:\\index", "C:\\"},
        PathCase{"C:index.html", "C:", "index.html", ".html", "C:index", "C:"},
        PathCase{"index.html", "", "index.html", ".html", "index", ""},
        PathCase{"C:\\Web\\", "C:\\Web\\", "", "", "C:\\Web\\", "C:\\Web"},
        PathCase{"\\\\server\\share\\a.html", "\\\\server\\share\\", "a.html", ".html",
                 "\\\\server\\share\\a", "\\\\server\\share"},
        PathCase{"\\\\a", "\\\\", "a", "", "\\\\a", "\\\\"},
        PathCase{"C:\\Web.old\\readme", "C:\\Web.old\\", "readme", "", "C:\\Web.old\\readme", "C:\\Web.old"},
        PathCase{"archive.tar.gz", "", "archive.tar.gz", ".gz", "archive.tar", ""},
        PathCase{"name.", "", "name.", ".", "name", ""}, PathCase{".txt", "", ".txt", ".txt", "", ""},
        PathCase{"C:\\Web\\index.HTML", "C:\\Web\\", "index.HTML", ".HTML", "C:\\Web\\index", "C:\\Web"},
        PathCase{"a/b.c/d", "", "a/b.c/d", ".c/d", "a/b", ""},  // "/" is no separator
        PathCase{"C:\\" + hyo + "\\index.html", "C:\\" + hyo + "\\", "index.html", ".html",
                 "C:\\" + hyo + "\\index", "C:\\" + hyo},
        PathCase{"C:\\" + hyo + "\\a.html", "C:\\" + hyo + "\\", "a.html", ".html", "C:\\" + hyo + "\\a",
                 "C:\\" + hyo},
        PathCase{"C:\\Web\\" + hyo, "C:\\Web\\", hyo, "", "C:\\Web\\" + hyo, "C:\\Web"},
        PathCase{"C:\\Web\\" + so, "C:\\Web\\", so, "", "C:\\Web\\" + so, "C:\\Web"},
        PathCase{"C:\\" + so + "\\", "C:\\" + so + "\\", "", "", "C:\\" + so + "\\", "C:\\" + so},
        PathCase{"C:\\" + so + "." + so, "C:\\", so + "." + so, "." + so, "C:\\" + so, "C:\\"},
        PathCase{"C:\\\xE3\x80\x9C.html", "C:\\", "\xE3\x80\x9C.html", ".html", "C:\\\xE3\x80\x9C", "C:\\"},
        PathCase{"", "", "", "", "", ""}));

TEST(FullPaths, AreDriveRootsAndUncPathsAndLoseTheirLongPrefix) {
  const struct {
    std::string path;
    bool full;
    std::string without_prefix;
  } cases[] = {
      {"C:\\a.html", true, "C:\\a.html"},
      {"z:\\", true, "z:\\"},
      {"C:a.html", false, "C:a.html"},
      {"\\a.html", false, "\\a.html"},
      {"a.html", false, "a.html"},
      {"..\\a.html", false, "..\\a.html"},
      {"1:\\a", false, "1:\\a"},
      {"", false, ""},
      {"\\\\srv\\share\\a", true, "\\\\srv\\share\\a"},
      {"\\\\?\\C:\\a", true, "C:\\a"},
      {"\\\\?\\UNC\\srv\\s\\a", true, "\\\\srv\\s\\a"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsFullPath(c.path), c.full) << c.path;
    EXPECT_EQ(WithoutLongPathPrefix(c.path), c.without_prefix) << c.path;
  }
}

TEST(FileNameOf, AfterTheLastWholeBackslash) {
  const struct {
    std::string path, name;
  } cases[] = {
      {"C:\\Web\\index.html", "index.html"},
      {"index.html", "index.html"},
      {"C:index.html", "C:index.html"},  // only the backslash counts
      {"C:\\Web\\", ""},
      {"C:\\Web\\\xE8\xA1\xA8.html", "\xE8\xA1\xA8.html"},  // 表.html
      {"C:\\\xE8\xA1\xA8", "\xE8\xA1\xA8"},
  };
  for (const auto& c : cases) EXPECT_EQ(FileNameOf(c.path), c.name) << c.path;
}

// Paths past the system's limit, or with a name it would change, go to it verbatim and normalised.
TEST(VerbatimForm, ResolvesDotsAndSeparatorsOnly) {
  const struct {
    std::string path;
    bool changed_by_system;
    std::string verbatim;
  } cases[] = {
      {"C:\\a\\b.html", false, "\\\\?\\C:\\a\\b.html"},
      {"C:\\a\\\\b\\.\\c\\..\\d.html", false, "\\\\?\\C:\\a\\b\\d.html"},
      {"C:/a/./b/", false, "\\\\?\\C:\\a\\b"},
      {"C:\\..\\..\\a", false, "\\\\?\\C:\\a"},
      {"C:\\a\\..", false, "\\\\?\\C:\\"},
      {"C:\\a.\\b .html", true, "\\\\?\\C:\\a.\\b .html"},
      {"C:\\a\\...\\x.html.", true, "\\\\?\\C:\\a\\...\\x.html."},
      {"\\\\srv\\share\\..\\..\\a", false, "\\\\?\\UNC\\srv\\share\\a"},
      {"\\\\?\\C:\\a\\..\\b", false, "\\\\?\\C:\\b"},
      {"C:\\\xE8\xA1\xA8\\\xE3\x82\xBD.", true, "\\\\?\\C:\\\xE8\xA1\xA8\\\xE3\x82\xBD."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HoldsNameTheSystemWouldChange(c.path), c.changed_by_system) << c.path;
    EXPECT_EQ(VerbatimForm(c.path), c.verbatim) << c.path;
  }
}

// A relative scan folder joined to the current folder: only "." and ".." change, never a name.
TEST(FoldedDotNames, FoldsDotsAndKeepsEveryName) {
  const struct {
    std::string path, folded;
  } cases[] = {
      {"C:\\cur\\.\\docs", "C:\\cur\\docs"}, {"C:\\cur\\..\\site.", "C:\\site."},
      {"C:\\cur\\..\\..\\..", "C:\\"},       {"C:\\cur\\docs\\", "C:\\cur\\docs\\"},
      {"C:\\cur/a /./b", "C:\\cur\\a \\b"},  {"\\\\srv\\share\\..\\..\\a", "\\\\srv\\share\\a"},
  };
  for (const auto& c : cases) EXPECT_EQ(FoldedDotNames(c.path), c.folded) << c.path;
}

}  // namespace
}  // namespace skimdex
