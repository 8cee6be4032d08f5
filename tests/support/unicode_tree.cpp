#include "support/unicode_tree.h"

namespace skimdex::testing {

std::string BuildUnicodeTree(const TempFolder& temp) {
  const std::string tree = temp.Path() + "\\tree";
  temp.UnicodeFile("tree\\\xE6\x9D\xB1\xE4\xBA\xAC\xE3\x80\x9C\xE5\xA4\xA7\xE9\x98\xAA.html",
                   "<p>no title</p>");
  temp.UnicodeFile("tree\\caf\xC3\xA9.html", "<title>Accent</title>");  // café
  temp.UnicodeFile("tree\\cafe.html", "<title>Plain</title>");
  temp.UnicodeFile("tree\\C#\xE5\x85\xA5\xE9\x96\x80.html", "<title>C#</title>");  // C#入門
  temp.UnicodeFolder("tree\\\xE9\x9F\xB3\xE6\xA5\xBD\xE2\x99\xA5");                // 音楽♥
  temp.UnicodeFile("tree\\\xE9\x9F\xB3\xE6\xA5\xBD\xE2\x99\xA5\\p.html", "<title>Heart</title>");
  temp.UnicodeFile("tree\\\xF0\x9F\x98\x80.htm", "<title>Smile</title>");  // an emoji
  temp.Folder("tree\\d1");
  temp.Folder("tree\\d1\\d2");
  const std::string yen_dots = "tree\\d1\\d2\\a\xC2\xA5..\xC2\xA5..\xC2\xA5..\xC2\xA5x";  // a¥..¥..¥..¥x
  temp.UnicodeFolder(yen_dots);
  temp.UnicodeFile(yen_dots + "\\inside.html", "<title>Inside</title>");
  temp.Folder("x");
  temp.File("x\\secret.html", "<title>Secret</title>");
  temp.UnicodeFolder("tree\\a.");
  temp.UnicodeFile("tree\\a.\\dot.html", "<title>Dot</title>");
  std::string chain = "tree\\long";
  temp.Folder(chain);
  for (int i = 0; i < 10; ++i)
    temp.UnicodeFolder(chain += "\\" + std::string(30, static_cast<char>('a' + i)));
  temp.UnicodeFile(chain + "\\deep.html", "<title>Deep</title>");
  return tree;
}

}  // namespace skimdex::testing
