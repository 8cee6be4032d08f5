t=/tmp/ut/tree; mkdir -p $t
printf '<p>x</p>' > "$t/東京〜大阪.html"; printf '<title>Accent</title>' > "$t/café.html"; printf '<title>Plain</title>' > "$t/cafe.html"
printf '<title>C#</title>' > "$t/C#入門.html"; mkdir -p "$t/音楽♥"; printf '<title>Heart</title>' > "$t/音楽♥/p.html"
printf '<title>Smile</title>' > "$t/😀.htm"; mkdir -p "$t/d1/d2/a¥..¥..¥..¥x"; printf '<title>Inside</title>' > "$t/d1/d2/a¥..¥..¥..¥x/inside.html"
mkdir -p /tmp/ut/x; printf '<title>Secret</title>' > /tmp/ut/x/secret.html
mkdir -p "$t/a."; printf '<title>Dot</title>' > "$t/a./dot.html"
d="$t/long"; for c in a b c d e f g h i j; do d="$d/$(printf "%030d" 0 | tr 0 $c)"; done; mkdir -p "$d"; printf '<title>Deep</title>' > "$d/deep.html"
mkdir -p "$t/back"; printf '<title>BS</title>' > "$t/back/x\\y.html"
