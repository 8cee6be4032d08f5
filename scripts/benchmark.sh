#!/usr/bin/env bash
# Benchmark: generates fixed trees of pages (20,000 and 100,000 unless PAGES are given, each once),
# then indexes each under Wine on one CPU, in interleaved rounds, with
#   the floor       plain_index --floor: the same I/O with the plainest fast Win32 calls, no conversion;
#   plain_index     the same calls, with the project's title scan, conversion and rows;
#   SkimdexCmd      the console program;
#   the window      Skimdex.exe, from the click on Start to "Finish" with the memo filled.
# Prints, from the medians of the rounds, each one's time and ratio (plain_index and SkimdexCmd to the
# floor, the window to SkimdexCmd) and SkimdexCmd's peak memory; with two sizes, how the time per
# page of the larger compares with the smaller's. Then the long kill test: runs of SkimdexCmd and of
# the window over 5,000 pages, each ended at 50 moments, must leave every page whole, and a million
# runs of each fuzzer.
# Usage: bash scripts/benchmark.sh [PAGES...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(20000 100000)
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
# One round over the tree of $2 pages; the times go to $bench/<round>.<pages>.<contender>.txt. plain_index
# and SkimdexCmd must give the same scan list and listing page, and the floor the same scan list.
run_round() {
  local round="$1" pages="$2" tree_w
  tree_w="$(winepath -w "$(tree_of "$pages")")"
  rm -f "$out"/*.html
  timed_run "$bench/$round.$pages.floor.txt" build/bin/plain_index.exe --floor 10 "$tree_w" "$out_w\\Floor_sub.html" \
    >"$bench/floor-scan-list.txt" 2>"$bench/stderr.txt" ||
    fail_with "$bench/stderr.txt" "plain_index --floor failed" "$bench/$round.$pages.floor.txt"
  timed_run "$bench/$round.$pages.plain.txt" build/bin/plain_index.exe 10 "$tree_w" "$out_w\\Plain_sub.html" \
    >"$bench/plain-scan-list.txt" 2>"$bench/stderr.txt" ||
    fail_with "$bench/stderr.txt" "plain_index failed" "$bench/$round.$pages.plain.txt"
  timed_run "$bench/$round.$pages.cmd.txt" build/bin/SkimdexCmd.exe --yes --depth 10 "$tree_w" \
    "$out_w\\Localindex.html" >"$bench/scan-list.txt" 2>"$bench/stderr.txt" ||
    fail_with "$bench/stderr.txt" "SkimdexCmd failed" "$bench/$round.$pages.cmd.txt"
  cmp -s "$bench/scan-list.txt" "$bench/floor-scan-list.txt" && cmp -s "$bench/scan-list.txt" "$bench/plain-scan-list.txt" &&
    cmp -s "$out/Localindex_sub.html" "$out/Plain_sub.html" ||
    echo "Warning: plain_index's output differs from SkimdexCmd's over $pages pages" >&2
  local listed
  listed=$(grep -c '<A HREF=' "$out/Localindex_sub.html" || true)
  [ "$listed" -eq "$pages" ] || echo "Warning: the listing page has $listed rows for $pages pages" >&2
  cp "$out/Localindex_sub.html" "$bench/listing-$pages.html"
  rm -f "$out"/*.html
  taskset -c 0 wine build/bin/window_timer.exe 10 "$tree_w" "$out_w\\Window.html" >"$bench/$round.$pages.window.txt" \
    2>"$bench/stderr.txt" || fail_with "$bench/stderr.txt" "the window's run failed"
  cmp -s "$out/Window_sub.html" "$bench/listing-$pages.html" ||
    echo "Warning: the window's listing page differs from SkimdexCmd's over $pages pages" >&2
}

echo "Indexing ${sizes[*]} pages: one warm-up round, then $rounds rounds of the floor, plain_index, SkimdexCmd and the window in turn"
rm -f "$bench"/round*.txt
for pages in "${sizes[@]}"; do
  run_round warmup "$pages"
done
for round in $(seq "$rounds"); do
  for pages in "${sizes[@]}"; do run_round "round$round" "$pages"; done
done

awk -v load="$load_before" 'BEGIN { exit !(load > 1.5) }' &&
  echo "Note: the load average was $load_before before the benchmark; other work skews the numbers" >&2
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
seconds_of() { cat "$bench"/round*."$1"."$2".txt | awk '{ print $1 }' | median; }
echo "Medians of $rounds interleaved rounds, everything on CPU 0:"
for pages in "${sizes[@]}"; do
  floor_s=$(seconds_of "$pages" floor)
  plain_s=$(seconds_of "$pages" plain)
  cmd_s=$(seconds_of "$pages" cmd)
  window_s=$(cat "$bench"/round*."$pages".window.txt | awk '{ print $1 / 1000 }' | median)
  peak_kb=$(cat "$bench"/round*."$pages".cmd.txt | awk '{ print $2 }' | sort -n | tail -1)
  awk -v n="$pages" -v f="$floor_s" -v p="$plain_s" -v c="$cmd_s" -v w="$window_s" -v kb="$peak_kb" 'BEGIN {
    printf "%6d pages  floor (plain Win32): %6.2f s %6.0f pages/s\n", n, f, n / f
    printf "%6d pages  plain_index:         %6.2f s %6.0f pages/s  %.2fx the floor\n", n, p, n / p, p / f
    printf "%6d pages  SkimdexCmd --yes:    %6.2f s %6.0f pages/s %5.0f us/page  %.2fx the floor  peak memory %.0f MB\n",
           n, c, n / c, 1e6 * c / n, c / f, kb / 1024
    printf "%6d pages  the window:          %6.2f s %6.0f pages/s  %.2fx SkimdexCmd\n", n, w, n / w, w / c
  }'
  echo "$pages $cmd_s" >>"$bench/per-page.txt.new"
done
mv "$bench/per-page.txt.new" "$bench/per-page.txt"
[ "${#sizes[@]}" -eq 2 ] && awk '{ n[NR] = $1; t[NR] = $2 / $1 } END {
  printf "Time per page at %d pages is %.0f%% of that at %d pages\n", n[2], 100 * t[2] / t[1], n[1]
}' "$bench/per-page.txt"

# The long version of the tests' kill checks.
echo "Kill test: 50 runs of SkimdexCmd and 50 of the window over 5,000 pages, each ended at its own moment"
export SKIMDEX_KILL_MOMENTS=50 SKIMDEX_KILL_PAGES=5000
wine build/bin/cmd_tests.exe --gtest_brief=1 --gtest_filter='*Killed*' | grep -E '^\[  (PASSED|FAILED)' || true
wine build/bin/gui_scenarios.exe --gtest_brief=1 --gtest_filter='*Killed*' | grep -E '^\[  (PASSED|FAILED)' || true

# The long version of the tests' fuzzing: a million inputs for each fuzzer, from its seeds, under the
# sanitizers; new inputs go to a scratch corpus beside the trees.
echo "Fuzzing: 10^6 runs of the converter's and the title scan's fuzzers"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DSKIMDEX_SANITIZE=ON -DSKIMDEX_FUZZ=ON >/dev/null
cmake --build build/native >/dev/null
for fuzzer in sjisconv_fuzz title_fuzz; do
  mkdir -p "$bench/$fuzzer"
  build/native/bin/$fuzzer -runs=1000000 -rss_limit_mb=1024 "$bench/$fuzzer" "tests/fuzz/corpus/$fuzzer" 2>&1 |
    grep -E '^(Done|==[0-9]+==ERROR)' || echo "$fuzzer: crashed" >&2
done
exit 0
