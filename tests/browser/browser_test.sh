#!/usr/bin/env bash
# Opens the pages SkimdexCmd writes in headless Chromium and checks the addresses as the browser
# resolves them: the frame page's index frame names the listing page's file, and every link of the
# listing page names the file of its row, whatever characters the file's name holds.
# Usage: browser_test.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
build="$1" source="$2" work="$1/browser-test" failed=0
check() { if "${@:2}"; then echo "PASS: $1"; else echo "FAIL: $1"; failed=1; fi; }
SKIMDEX_BUILD="$build" source "$source/scripts/wine-env.sh"

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
# The Linux file that a decoded file:///Z:/... address names.
linux_path() { printf '%s' "${1#file:///Z:}"; }
# "kind caption address" lines for every frame and link of the page, decoded.
addresses() {
  chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --user-data-dir="$work/profile" --allow-file-access-from-files \
    --virtual-time-budget=10000 --dump-dom "file://$source/tests/browser/probe.html?file://$1" 2>/dev/null |
    sed -n '/<pre id="out">/,/<\/pre>/p' | sed 's/<[^>]*>//g' |
    while read -r kind caption address; do
      printf '%b\t%b\t%b\n' "${kind//%/\\x}" "${caption//%/\\x}" "${address//%/\\x}"
    done
}
frame_names_listing_page() {
  local address
  address="$(addresses "$work/out/Localindex.html" | awk -F'\t' '$1 == "frame" && $2 == "SkimdexIndex" {print $3}')"
  [ "$(linux_path "$address")" = "$work/out/Localindex_sub.html" ] && [ -f "$(linux_path "$address")" ] ||
    { echo "index frame: ${address:-none}"; return 1; }
}

# Every page's title is its number in `pages`, which its row's link must lead to.
pages=(
  "a.html" "東京〜大阪.html" "café.html" "cafe.html" "C#入門.html" "100%.html" "音楽♥/p.html" "😀.htm"
  "d1/d2/a¥..¥..¥..¥x/inside.html" "a./dot.html" "표/한글.html"
  "long/$(printf '%s/' aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa bbbbbbbbbbbbbbbbbbbbbbbbbbbbbb cccccccccccccccccccccccccccccc \
    dddddddddddddddddddddddddddddd eeeeeeeeeeeeeeeeeeeeeeeeeeeeee ffffffffffffffffffffffffffffff \
    gggggggggggggggggggggggggggggg hhhhhhhhhhhhhhhhhhhhhhhhhhhhhh iiiiiiiiiiiiiiiiiiiiiiiiiiiiii)deep.html"
)
links_name_their_files() {
  local kind caption address wrong=0 seen=0
  while IFS=$'\t' read -r kind caption address; do
    [ "$kind" = link ] || continue
    seen=$((seen + 1))
    [ "$(linux_path "$address")" = "$work/tree/${pages[${caption#P}]}" ] || { echo "$caption: $address"; wrong=1; }
  done < <(addresses "$work/out/Localindex_sub.html")
  [ "$wrong" = 0 ] && [ "$seen" = "${#pages[@]}" ] || { echo "$seen links for ${#pages[@]} pages"; return 1; }
}

rm -rf "$work" && mkdir -p "$work/tree" "$work/out" "$work/x"
for i in "${!pages[@]}"; do
  mkdir -p "$(dirname "$work/tree/${pages[$i]}")"
  printf '<title>P%d</title>' "$i" >"$work/tree/${pages[$i]}"
done
printf '<title>Secret</title>' >"$work/x/secret.html"
(cd "$work/out" && wine "$build/bin/SkimdexCmd.exe" --yes --depth 16 "$(windows_path "$work/tree")" Localindex.html) >/dev/null 2>&1
check "a bare output name: the index frame opens the listing page beside the frame page" frame_names_listing_page
check "every link of the listing page opens the file of its row, and only those" links_name_their_files
[ "$failed" = 0 ] && rm -rf "$work"
exit "$failed"
