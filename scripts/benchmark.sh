#!/usr/bin/env bash
# Benchmark: generates a fixed tree of pages (20,000 unless PAGES is given), indexes it once with
# SkimdexCmd under Wine on one CPU, and prints pages per second and peak memory.
# Usage: bash scripts/benchmark.sh [PAGES]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

pages="${1:-20000}"
[[ "$pages" =~ ^[1-9][0-9]*$ ]] || { echo "usage: bash scripts/benchmark.sh [PAGES]" >&2; exit 64; }

# GNU time gives the peak memory of the process it starts.
install_gnu_time() {
  [ -x /usr/bin/time ] && return
  if [ "$(id -u)" -ne 0 ]; then
    echo "The benchmark needs GNU time. Run as root:" >&2
    echo "  apt-get update && apt-get install -y --no-install-recommends time" >&2
    exit 1
  fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends time >/dev/null
}

# Taken before building: other work on the machine makes the run slower and erratic.
read -r load_before _ </proc/loadavg

bash scripts/setup.sh
install_gnu_time
source scripts/build.sh
skimdex_build_windows

bench="$root/build/bench"
tree="$bench/tree"
[ "$pages" -eq 20000 ] || tree="$bench/tree-$pages"
out="$bench/out"
mkdir -p "$bench" "$out"
g++ -std=c++20 -O2 -o "$bench/generate_tree" scripts/bench/generate_tree.cpp
"$bench/generate_tree" "$tree" "$pages"

# The whole Wine session shares CPU 0, wineserver included: every Windows file call is a round
# trip to wineserver, and waking it on an idle second CPU makes a run about 3 times slower and
# dependent on whatever else the machine is doing. A wineserver that was already running keeps
# its own affinity.
taskset -p -c 0 $$ >/dev/null

export SKIMDEX_BUILD="$root/build"
source scripts/wine-env.sh
skimdex_wine_start
trap skimdex_wine_stop EXIT

# Runs SkimdexCmd pinned to CPU 0 under GNU time, which writes "seconds peak-KB" to the file $1.
# Wine runs the program inside the process that `wine` becomes, so its peak is the program's.
timed_index_run() {
  local time_file="$1"
  shift
  /usr/bin/time -f "%e %M" -o "$time_file" taskset -c 0 wine build/bin/SkimdexCmd.exe --yes "$@"
}

# The scan list comes out in one piece once the walk is done, so its first byte ends the walk.
note_first_byte() {
  dd bs=1 count=1 status=none
  date +%s.%N >"$bench/first-byte.txt"
  cat
}

echo "Warm-up run over samples/pages"
timed_index_run "$bench/warmup-time.txt" --depth 3 "$(winepath -w samples/pages)" \
  "$(winepath -w "$out")\\warmup.html" >/dev/null 2>"$bench/warmup-stderr.txt" ||
  { cat "$bench/warmup-stderr.txt" >&2; echo "Warm-up run failed" >&2; exit 1; }

echo "Indexing $tree"
output="$(winepath -w "$out")\\Localindex.html"
rm -f "$out/Localindex.html" "$out/Localindex_sub.html" "$bench/first-byte.txt"
started=$(date +%s.%N)
set +e
timed_index_run "$bench/time.txt" --depth 10 "$(winepath -w "$tree")" "$output" \
  2>"$bench/stderr.txt" | note_first_byte >"$bench/scan-list.txt"
status=${PIPESTATUS[0]}
set -e
if [ "$status" -ne 0 ]; then
  iconv -c -f CP932 -t UTF-8 "$bench/stderr.txt" >&2
  echo "SkimdexCmd failed with status $status" >&2
  exit "$status"
fi

listed=$(grep -c '<A HREF=' "$out/Localindex_sub.html" || true)
scanned=$(tr -d '\r' <"$bench/scan-list.txt" | grep -ciE '\.(html|htm|shtml|cgi|txt)$' || true)
read -r seconds peak_kb <"$bench/time.txt"
read -r _ warmup_peak_kb <"$bench/warmup-time.txt"
walk_seconds=$(awk -v a="$started" -v b="$(cat "$bench/first-byte.txt" 2>/dev/null || echo "$started")" \
  'BEGIN { printf "%.1f", b - a }')

awk -v load="$load_before" 'BEGIN { exit !(load > 1.5) }' &&
  echo "Note: the load average was $load_before before the benchmark; other work skews the numbers" >&2
[ "$listed" -eq "$pages" ] || echo "Warning: the listing page has $listed rows for $pages pages" >&2
[ "$scanned" -eq "$pages" ] || echo "Warning: the scan list names $scanned pages out of $pages" >&2
awk -v n="$listed" -v s="$seconds" -v kb="$peak_kb" -v walk="$walk_seconds" -v base_kb="$warmup_peak_kb" 'BEGIN {
  printf "%d pages in %.1f s: %.0f pages/s, peak memory %.0f MB\n", n, s, n / s, kb / 1024
  printf "Walk and scan list (with Wine start-up): %.1f s (%.0f%%); titles and pages: %.1f s\n",
         walk, 100 * walk / s, s - walk
  printf "For comparison, the warm-up run over the sample pages peaked at %.0f MB\n", base_kb / 1024
}'
