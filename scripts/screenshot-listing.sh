#!/usr/bin/env bash
# Photographs listing pages in headless Chromium: the UTF-8 sample pages in samples/utf8-pages
# (docs/screenshots/listing-utf8.png), and a tree made here of pages saved from today's web, whose
# names code page 932 cannot all spell (docs/screenshots/listing-unicode.png). Such names stay out of
# the repository, whose checkout on Windows could not hold all of them.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
shots="$root/docs/screenshots"

bash scripts/setup.sh
# The browser with Japanese, Korean and emoji fonts (characters without a code page 932 form, such as
# emoji, reach the listing page as character references).
missing=()
for p in chromium fonts-ipafont fonts-noto-color-emoji fonts-nanum; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Run as root: apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
source scripts/build.sh
skimdex_build_windows

export SKIMDEX_BUILD="$root/build"
source scripts/wine-env.sh
skimdex_wine_start
out="$root/build/utf8-index"
profile="$(mktemp -d)"
trap 'skimdex_wine_stop; rm -rf "$profile"' EXIT

# Indexes FOLDER into OUT with SkimdexCmd and photographs its listing page as PNG at SIZE. The listing
# page declares Shift_JIS; Chromium reads it as a browser on Windows would.
shoot() {
  local folder="$1" out="$2" png="$3" size="$4"
  mkdir -p "$out"
  wine build/bin/SkimdexCmd.exe --yes --depth 3 "$(winepath -w "$folder")" "$(winepath -w "$out")\\Localindex.html" \
    >/dev/null
  chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --hide-scrollbars --user-data-dir="$profile" \
    --window-size="$size" --screenshot="$png" "file://$out/Localindex_sub.html" 2>/dev/null
  echo "Listing page: $out/Localindex_sub.html"
  echo "Screenshot:   $png"
}

shoot "$root/samples/utf8-pages" "$out" "$shots/listing-utf8.png" 560,270

names="$root/build/unicode-names"
rm -rf "$names" && mkdir -p "$names/tree"
# A page in Shift_JIS, or in UTF-8 where it says so.
page() {
  mkdir -p "$(dirname "$names/tree/$1")"
  case "$2" in
    *charset*) printf '%s' "$2" ;;
    *) printf '%s' "$2" | iconv -f UTF-8 -t CP932 ;;
  esac >"$names/tree/$1"
}
page "東京〜大阪の旅.html" "<p>タイトルのないページ</p>"
page "café.html" "<meta charset=\"utf-8\"><title>パリのカフェ</title>"
page "cafe.html" "<title>近所の喫茶店</title>"
page "C#入門.html" "<title>C# 入門</title>"
page "音楽♥/好きな曲.html" "<meta charset=\"utf-8\"><title>好きな曲 — 2026年</title>"
page "音楽♥/😀.htm" "<p>絵文字の名前</p>"
page "한국어/소개.html" "<meta charset=\"utf-8\"><title>한국어 소개</title>"
shoot "$names/tree" "$names/out" "$shots/listing-unicode.png" 560,330
