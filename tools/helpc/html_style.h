#pragma once

// The HTML manual's style sheet: Japanese UI faces, no fixed widths (the text reflows at any zoom),
// and a print rule that leaves out the navigation and prints black on white.
namespace skimdex::helpc {

inline constexpr char kStyleSheetText[] = R"css(html {
  font-family: "Yu Gothic UI", "Meiryo UI", Meiryo, "Hiragino Sans", "MS PGothic", "Noto Sans CJK JP", IPAPGothic,
    sans-serif;
  line-height: 1.7;
  color: #1b1b1b;
  background: #fff;
}
body { margin: 0; }
header {
  display: flex;
  flex-wrap: wrap;
  align-items: baseline;
  gap: 0.25em 1.5em;
  padding: 0.6em 1.25em;
  background: #1d4f7c;
  color: #fff;
}
header .manual { font-weight: bold; margin-right: auto; }
header nav a { color: #fff; margin-left: 1em; }
main { max-width: 44em; margin: 0 auto; padding: 0.5em 1.25em 2em; }
h1 { font-size: 1.6em; margin: 0.6em 0 0.8em; padding-bottom: 0.2em; border-bottom: 2px solid #1d4f7c; }
h2 { font-size: 1.15em; margin: 1.6em 0 0.4em; padding-left: 0.5em; border-left: 0.3em solid #1d4f7c; }
p { margin: 0.4em 0; }
a { color: #0a58a8; }
a:visited { color: #5a3d91; }
ul.links, ol.contents, ul.keywords { margin: 0.4em 0; padding-left: 1.6em; }
ol.contents li { margin: 0.3em 0; font-size: 1.05em; }
ul.keywords { column-width: 18em; column-gap: 2em; }
ul.keywords li { break-inside: avoid; }
.topic { color: #666; font-size: 0.85em; }
.topic::before { content: "\2014\00A0"; }
footer { margin-top: 2em; padding: 1em; border-top: 1px solid #ddd; color: #666; font-size: 0.85em; text-align: center; }
@media print {
  header nav { display: none; }
  header { background: none; color: #000; padding: 0; border-bottom: 1px solid #000; }
  body { font-size: 10.5pt; }
  main { max-width: none; padding: 0; }
  a, a:visited { color: inherit; text-decoration: none; }
  h1, h2 { border-color: #000; break-after: avoid; }
  footer { border-color: #000; color: #000; }
}
)css";

}  // namespace skimdex::helpc
