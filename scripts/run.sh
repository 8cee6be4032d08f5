#!/usr/bin/env bash
# The main job: builds Skimdex and runs one index run with SkimdexCmd over the sample pages.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/setup.sh
source scripts/build.sh
skimdex_build_windows

export SKIMDEX_BUILD="$root/build"
source scripts/wine-env.sh
skimdex_wine_start
trap skimdex_wine_stop EXIT

out="$root/build/sample-index"
mkdir -p "$out"
folder="$(winepath -w "$root/samples/pages")"
output="$(winepath -w "$out")\\Localindex.html"

echo "Scan list (as the main window's memo shows it):"
status=0
wine build/bin/SkimdexCmd.exe --yes --depth 3 "$folder" "$output" 2> >(iconv -f CP932 -t UTF-8 >&2) |
  iconv -f CP932 -t UTF-8 | tr -d '\r' || status=$?
[ "$status" -eq 0 ] || { echo "SkimdexCmd failed with status $status" >&2; exit "$status"; }

echo
echo "Frame page:   $out/Localindex.html"
echo "Listing page: $out/Localindex_sub.html"
