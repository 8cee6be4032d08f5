#!/usr/bin/env bash
# Benchmark: generates a fixed tree of pages (20,000 unless PAGES is given), then indexes it under Wine
# on one CPU with SkimdexCmd and with the floor, a plain Win32 program doing the same work with the
# fastest plain calls, in interleaved rounds; prints SkimdexCmd's pages per second, its ratio to the
# floor and its peak memory, from the medians of the rounds.
# Usage: bash scripts/benchmark.sh [PAGES]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

pages="${1:-20000}"
rounds=5
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

# Runs a program pinned to CPU 0 under GNU time, which writes "seconds peak-KB" to the file $1.
# Wine runs the program inside the process that `wine` becomes, so its peak is the program's.
timed_run() {
  local time_file="$1"
  shift
  /usr/bin/time -f "%e %M" -o "$time_file" taskset -c 0 wine "$@"
}

fail_with() {
  iconv -c -f CP932 -t UTF-8 "$1" >&2
  echo "$2" >&2
  exit 1
}

echo "Warm-up run over samples/pages"
timed_run "$bench/warmup-time.txt" build/bin/SkimdexCmd.exe --yes --depth 3 "$(winepath -w samples/pages)" \
  "$(winepath -w "$out")\\warmup.html" >/dev/null 2>"$bench/stderr.txt" ||
  fail_with "$bench/stderr.txt" "Warm-up run failed"

tree_w="$(winepath -w "$tree")"
out_w="$(winepath -w "$out")"
# One round: the floor, then SkimdexCmd, each over the whole tree; their times go to $bench/<round>.
run_round() {
  local round="$1"
  rm -f "$out"/*.html
  timed_run "$bench/$round.floor.txt" build/bin/plain_index.exe 10 "$tree_w" "$out_w\\Floor_sub.html" \
    >"$bench/floor-scan-list.txt" 2>"$bench/stderr.txt" || fail_with "$bench/stderr.txt" "plain_index failed"
  timed_run "$bench/$round.cmd.txt" build/bin/SkimdexCmd.exe --yes --depth 10 "$tree_w" "$out_w\\Localindex.html" \
    >"$bench/scan-list.txt" 2>"$bench/stderr.txt" || fail_with "$bench/stderr.txt" "SkimdexCmd failed"
}

echo "Indexing $tree: one warm-up round, then $rounds rounds of the floor and SkimdexCmd in turn"
rm -f "$bench"/round*.txt
run_round warmup
for round in $(seq "$rounds"); do run_round "round$round"; done

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
floor_s=$(cat "$bench"/round*.floor.txt | awk '{ print $1 }' | median)
cmd_s=$(cat "$bench"/round*.cmd.txt | awk '{ print $1 }' | median)
peak_kb=$(cat "$bench"/round*.cmd.txt | awk '{ print $2 }' | sort -n | tail -1)
listed=$(grep -c '<A HREF=' "$out/Localindex_sub.html" || true)

awk -v load="$load_before" 'BEGIN { exit !(load > 1.5) }' &&
  echo "Note: the load average was $load_before before the benchmark; other work skews the numbers" >&2
[ "$listed" -eq "$pages" ] || echo "Warning: the listing page has $listed rows for $pages pages" >&2
cmp -s "$bench/scan-list.txt" "$bench/floor-scan-list.txt" || echo "Warning: the floor's scan list differs" >&2
cmp -s "$out/Localindex_sub.html" "$out/Floor_sub.html" || echo "Warning: the floor's listing page differs" >&2
awk -v n="$listed" -v f="$floor_s" -v c="$cmd_s" -v kb="$peak_kb" -v r="$rounds" 'BEGIN {
  printf "Medians of %d interleaved rounds, everything on CPU 0:\n", r
  printf "  floor (plain Win32):  %5.2f s  %5.0f pages/s\n", f, n / f
  printf "  SkimdexCmd --yes:     %5.2f s  %5.0f pages/s  %.2fx the floor  peak memory %.0f MB\n",
         c, n / c, c / f, kb / 1024
  printf "%d pages: %.0f us per page\n", n, 1e6 * c / n
}'
