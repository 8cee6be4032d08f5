#!/usr/bin/env bash
# Benchmark: generates fixed trees of pages (20,000 unless PAGES are given), then indexes each under
# Wine on one CPU with SkimdexCmd and with the floor, a plain Win32 program doing the same work with
# the fastest plain calls, in interleaved rounds. Prints, from the medians of the rounds, SkimdexCmd's
# pages per second, its ratio to the floor and its peak memory; with two sizes, how the time per page
# of the larger compares with the smaller's.
# Usage: bash scripts/benchmark.sh [PAGES...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

sizes=("${@:-20000}")
rounds=5
for pages in "${sizes[@]}"; do
  [[ "$pages" =~ ^[1-9][0-9]*$ ]] || { echo "usage: bash scripts/benchmark.sh [PAGES...]" >&2; exit 64; }
done

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
out="$bench/out"
mkdir -p "$bench" "$out"
tree_of() { if [ "$1" -eq 20000 ]; then echo "$bench/tree"; else echo "$bench/tree-$1"; fi; }
# The generator is a host tool, built by the cross build into build/host-tools.
for pages in "${sizes[@]}"; do build/host-tools/bin/generate_tree "$(tree_of "$pages")" "$pages"; done

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

# Shows the program's standard error and GNU time's report ($3, which names a signal that ended it).
fail_with() {
  iconv -c -f CP932 -t UTF-8 "$1" >&2
  [ -z "${3:-}" ] || cat "$3" >&2
  echo "$2" >&2
  exit 1
}

echo "Warm-up run over samples/pages"
timed_run "$bench/warmup-time.txt" build/bin/SkimdexCmd.exe --yes --depth 3 "$(winepath -w samples/pages)" \
  "$(winepath -w "$out")\\warmup.html" >/dev/null 2>"$bench/stderr.txt" ||
  fail_with "$bench/stderr.txt" "Warm-up run failed"

out_w="$(winepath -w "$out")"
# One round over the tree of $2 pages: the floor, then SkimdexCmd; their times go to $bench/<round>.<pages>.
# Both must give the same scan list and the same listing page.
run_round() {
  local round="$1" pages="$2" tree_w
  tree_w="$(winepath -w "$(tree_of "$pages")")"
  rm -f "$out"/*.html
  timed_run "$bench/$round.$pages.floor.txt" build/bin/plain_index.exe 10 "$tree_w" "$out_w\\Floor_sub.html" \
    >"$bench/floor-scan-list.txt" 2>"$bench/stderr.txt" ||
    fail_with "$bench/stderr.txt" "plain_index failed" "$bench/$round.$pages.floor.txt"
  timed_run "$bench/$round.$pages.cmd.txt" build/bin/SkimdexCmd.exe --yes --depth 10 "$tree_w" \
    "$out_w\\Localindex.html" >"$bench/scan-list.txt" 2>"$bench/stderr.txt" ||
    fail_with "$bench/stderr.txt" "SkimdexCmd failed" "$bench/$round.$pages.cmd.txt"
  cmp -s "$bench/scan-list.txt" "$bench/floor-scan-list.txt" &&
    cmp -s "$out/Localindex_sub.html" "$out/Floor_sub.html" ||
    echo "Warning: the floor's output differs from SkimdexCmd's over $pages pages" >&2
  local listed
  listed=$(grep -c '<A HREF=' "$out/Localindex_sub.html" || true)
  [ "$listed" -eq "$pages" ] || echo "Warning: the listing page has $listed rows for $pages pages" >&2
}

echo "Indexing ${sizes[*]} pages: one warm-up round, then $rounds rounds of the floor and SkimdexCmd in turn"
rm -f "$bench"/round*.txt
for pages in "${sizes[@]}"; do run_round warmup "$pages"; done
for round in $(seq "$rounds"); do
  for pages in "${sizes[@]}"; do run_round "round$round" "$pages"; done
done

awk -v load="$load_before" 'BEGIN { exit !(load > 1.5) }' &&
  echo "Note: the load average was $load_before before the benchmark; other work skews the numbers" >&2
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
echo "Medians of $rounds interleaved rounds, everything on CPU 0:"
for pages in "${sizes[@]}"; do
  floor_s=$(cat "$bench"/round*."$pages".floor.txt | awk '{ print $1 }' | median)
  cmd_s=$(cat "$bench"/round*."$pages".cmd.txt | awk '{ print $1 }' | median)
  peak_kb=$(cat "$bench"/round*."$pages".cmd.txt | awk '{ print $2 }' | sort -n | tail -1)
  awk -v n="$pages" -v f="$floor_s" -v c="$cmd_s" -v kb="$peak_kb" 'BEGIN {
    printf "%6d pages  floor (plain Win32): %6.2f s %6.0f pages/s\n", n, f, n / f
    printf "%6d pages  SkimdexCmd --yes:    %6.2f s %6.0f pages/s %5.0f us/page  %.2fx the floor  peak memory %.0f MB\n",
           n, c, n / c, 1e6 * c / n, c / f, kb / 1024
  }'
  echo "$pages $cmd_s" >>"$bench/per-page.txt.new"
done
mv "$bench/per-page.txt.new" "$bench/per-page.txt"
[ "${#sizes[@]}" -eq 2 ] && awk '{ n[NR] = $1; t[NR] = $2 / $1 } END {
  printf "Time per page at %d pages is %.0f%% of that at %d pages\n", n[2], 100 * t[2] / t[1], n[1]
}' "$bench/per-page.txt"
exit 0
