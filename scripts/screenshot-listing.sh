#!/usr/bin/env bash
# Indexes the UTF-8 sample pages in samples/utf8-pages with SkimdexCmd and photographs the listing page
# in headless Chromium: docs/screenshots/listing-utf8.png (or the file given).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
png="$(realpath -m "${1:-docs/screenshots/listing-utf8.png}")"

bash scripts/setup.sh
# The browser with Japanese and emoji fonts (characters without a code page 932 form, such as emoji,
# reach the listing page as character references).
missing=()
for p in chromium fonts-ipafont fonts-noto-color-emoji; do
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

mkdir -p "$out"
wine build/bin/SkimdexCmd.exe --yes --depth 3 "$(winepath -w "$root/samples/utf8-pages")" \
  "$(winepath -w "$out")\\Localindex.html" >/dev/null

# The listing page declares Shift_JIS; Chromium reads it as a browser on Windows would.
mkdir -p "$(dirname "$png")"
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --hide-scrollbars --user-data-dir="$profile" \
  --window-size=560,270 --screenshot="$png" "file://$out/Localindex_sub.html" 2>/dev/null
echo "Listing page: $out/Localindex_sub.html"
echo "Screenshot:   $png"
