#!/usr/bin/env bash
# Opens the pages SkimdexCmd writes in headless Chromium and checks the addresses as the browser
# resolves them: the frame page's index frame names the listing page's file.
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

rm -rf "$work" && mkdir -p "$work/tree" "$work/out"
printf '<title>A</title>' >"$work/tree/a.html"
(cd "$work/out" && wine "$build/bin/SkimdexCmd.exe" --yes --depth 2 "$(windows_path "$work/tree")" Localindex.html) >/dev/null 2>&1
check "a bare output name: the index frame opens the listing page beside the frame page" frame_names_listing_page
[ "$failed" = 0 ] && rm -rf "$work"
exit "$failed"
