#!/usr/bin/env bash
# Benchmark: generates fixed trees of pages (20,000 and 100,000 unless PAGES are given, each once),
# then indexes each under Wine on one CPU, in interleaved rounds (7 unless SKIMDEX_BENCH_ROUNDS says), with
#   the floor       floor_win32, the independent plain Win32 program built from FLOOR_SOURCE (default
#                   ../shared/bench/floor_win32.cpp beside the project, taken as it stands): the same
#                   I/O with the fewest ANSI calls and no conversion; skipped when the file is missing;
#   Wine start-up   floor_win32 --noop, measured apart;
#   own floor       plain_index --floor, the project's own floor: the same I/O in the wide calls;
#   plain_index     the same calls, with the project's title scan, conversion and rows;
#   SkimdexCmd      the console program, with its peak memory;
#   the window      Skimdex.exe, from the click on Start to "Finish" (both pages in place), with the
#                   time until the memo holds every entry, the slowest answer to a message sent every
#                   200 ms meanwhile, and its peak memory;
#   before          with SKIMDEX_BENCH_BEFORE naming an earlier build's SkimdexCmd.exe, that one, whose
#                   scan list and pages must be SkimdexCmd's byte for byte.
# SKIMDEX_BENCH_CONTENDERS may name fewer of own, plain and window; SkimdexCmd always runs.
# Prints every contender's time in each round as a ratio to the floor of the same round, then the
# median of those ratios with their spread, the ratio net of Wine's start-up, and SkimdexCmd's peak
# memory. The floor's page and folder counts are checked against SkimdexCmd's listing page. Then the
# long kill test: runs of SkimdexCmd and of the window over 5,000 pages, each ended at 50 moments,
# must leave every page whole, and a million runs of each fuzzer.
# Usage: bash scripts/benchmark.sh [PAGES...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(20000 100000)
rounds="${SKIMDEX_BENCH_ROUNDS:-7}"
floor_source="${FLOOR_SOURCE:-$root/../shared/bench/floor_win32.cpp}"
peak_limit_mb=64
for pages in "${sizes[@]}"; do
  [[ "$pages" =~ ^[1-9][0-9]*$ ]] || { echo "usage: bash scripts/benchmark.sh [PAGES...]" >&2; exit 64; }
done
[[ "$rounds" =~ ^[1-9][0-9]*$ ]] || { echo "SKIMDEX_BENCH_ROUNDS must be a number of rounds" >&2; exit 64; }

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

# The independent floor is compiled as it stands, never copied or changed: it shares nothing with the
# project, so the project's own costs cannot hide in it.
floor_exe="$bench/floor_win32.exe"
if [ -f "$floor_source" ]; then
  if [ ! -f "$floor_exe" ] || [ "$floor_source" -nt "$floor_exe" ] ||
    [ "$(dirname "$floor_source")/floor_common.h" -nt "$floor_exe" ]; then
    x86_64-w64-mingw32-g++-posix -O2 -std=c++17 -static -o "$floor_exe" "$floor_source"
  fi
  reference=floor
  echo "The floor: $floor_source"
else
  floor_exe=""
  reference=own
  echo "Skipped: the independent floor $floor_source is missing (a checkout without ../shared;" \
    "FLOOR_SOURCE names another). Ratios are to plain_index --floor, the project's own floor." >&2
fi

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

# "pages N folders M" of the listing page $1, counted as the floor counts its rows.
listing_counts() {
  echo "pages $(grep -c '<A HREF=' "$1" || true) folders $(grep -c '<FONT SIZE="+1">' "$1" || true)"
}

contenders="${SKIMDEX_BENCH_CONTENDERS-own plain window}"
for c in $contenders; do
  [[ " own plain window " == *" $c "* ]] || { echo "SKIMDEX_BENCH_CONTENDERS names own, plain or window" >&2; exit 64; }
done
[ "$reference" = own ] && contenders="${contenders/own/}"
contenders="cmd $contenders"
before_exe="${SKIMDEX_BENCH_BEFORE:-}"
[ -z "$before_exe" ] || contenders="$contenders before"
runs() { [[ " $contenders $reference " == *" $1 "* ]]; }

out_w="$(winepath -w "$out")"
# One round over the tree of $2 pages; the times go to $bench/<round>.<pages>.<contender>.txt. plain_index
# and SkimdexCmd must give the same scan list and listing page, the project's floor the same scan list,
# and the independent floor the same page and folder counts.
run_round() {
  local round="$1" pages="$2" tree_w
  tree_w="$(winepath -w "$(tree_of "$pages")")"
  rm -f "$out"/*.html
  if [ -n "$floor_exe" ]; then
    timed_run "$bench/$round.$pages.noop.txt" "$floor_exe" --noop
    timed_run "$bench/$round.$pages.floor.txt" "$floor_exe" --depth 10 "$tree_w" "$out_w\\Independent_sub.html" \
      >"$bench/floor-counts.txt" 2>"$bench/stderr.txt" ||
      fail_with "$bench/stderr.txt" "floor_win32 failed" "$bench/$round.$pages.floor.txt"
  fi
  if runs own; then
    timed_run "$bench/$round.$pages.own.txt" build/bin/plain_index.exe --floor 10 "$tree_w" "$out_w\\Floor_sub.html" \
      >"$bench/floor-scan-list.txt" 2>"$bench/stderr.txt" ||
      fail_with "$bench/stderr.txt" "plain_index --floor failed" "$bench/$round.$pages.own.txt"
  fi
  timed_run "$bench/$round.$pages.cmd.txt" build/bin/SkimdexCmd.exe --yes --depth 10 "$tree_w" \
    "$out_w\\Localindex.html" >"$bench/scan-list.txt" 2>"$bench/stderr.txt" ||
    fail_with "$bench/stderr.txt" "SkimdexCmd failed" "$bench/$round.$pages.cmd.txt"
  if runs plain; then
    timed_run "$bench/$round.$pages.plain.txt" build/bin/plain_index.exe 10 "$tree_w" "$out_w\\Plain_sub.html" \
      >"$bench/plain-scan-list.txt" 2>"$bench/stderr.txt" ||
      fail_with "$bench/stderr.txt" "plain_index failed" "$bench/$round.$pages.plain.txt"
    cmp -s "$bench/scan-list.txt" "$bench/plain-scan-list.txt" && cmp -s "$out/Localindex_sub.html" "$out/Plain_sub.html" ||
      echo "Warning: plain_index's output differs from SkimdexCmd's over $pages pages" >&2
  fi
  if runs own; then
    cmp -s "$bench/scan-list.txt" "$bench/floor-scan-list.txt" ||
      echo "Warning: the scan list of plain_index --floor differs from SkimdexCmd's over $pages pages" >&2
  fi
  if [ -n "$before_exe" ]; then
    mkdir -p "$out/before"
    timed_run "$bench/$round.$pages.before.txt" "$before_exe" --yes --depth 10 "$tree_w" \
      "$out_w\\before\\Localindex.html" >"$bench/before-scan-list.txt" 2>"$bench/stderr.txt" ||
      fail_with "$bench/stderr.txt" "the earlier SkimdexCmd failed" "$bench/$round.$pages.before.txt"
    if ! cmp -s "$bench/scan-list.txt" "$bench/before-scan-list.txt" ||
      ! cmp -s "$out/Localindex_sub.html" "$out/before/Localindex_sub.html"; then
      echo "The earlier SkimdexCmd's scan list or listing page differs over $pages pages" >&2
      exit 1
    fi
    rm -f "$out"/before/*.html
  fi
  local counts
  counts="$(listing_counts "$out/Localindex_sub.html")"
  if [ -n "$floor_exe" ] && [ "$(tr -d '\r' <"$bench/floor-counts.txt")" != "$counts" ]; then
    echo "The floor counted $(cat "$bench/floor-counts.txt"), SkimdexCmd's listing page holds $counts" >&2
    exit 1
  fi
  [ "$counts" = "pages $pages ${counts#pages * }" ] ||
    echo "Warning: the listing page holds $counts for a tree of $pages pages" >&2
  cp "$out/Localindex_sub.html" "$bench/listing-$pages.html"
  cp "$bench/scan-list.txt" "$bench/scan-list-$pages.txt"
  rm -f "$out"/*.html
  runs window || return 0
  taskset -c 0 wine build/bin/window_timer.exe 10 "$tree_w" "$out_w\\Window.html" "$(winepath -w "$bench/scan-list.txt")" \
    >"$bench/$round.$pages.window-ms.txt" 2>"$bench/stderr.txt" || fail_with "$bench/stderr.txt" "the window's run failed"
  # Seconds to "Finish", then to the filled memo, the slowest answer, peak KB.
  awk '{ print $1 / 1000, $2 / 1000, $3 / 1000, $4 }' "$bench/$round.$pages.window-ms.txt" >"$bench/$round.$pages.window.txt"
  cmp -s "$out/Window_sub.html" "$bench/listing-$pages.html" ||
    echo "Warning: the window's listing page differs from SkimdexCmd's over $pages pages" >&2
}

echo "Indexing ${sizes[*]} pages: one warm-up round, then $rounds interleaved rounds of every contender in turn"
rm -f "$bench"/round*.txt "$bench"/ratios.*
for pages in "${sizes[@]}"; do
  run_round warmup "$pages"
done
for round in $(seq "$rounds"); do
  for pages in "${sizes[@]}"; do run_round "round$round" "$pages"; done
done

awk -v load="$load_before" 'BEGIN { exit !(load > 1.5) }' &&
  echo "Note: the load average was $load_before before the benchmark; other work skews the numbers" >&2
seconds() { awk '{ print $1 }' "$bench/round$1.$2.$3.txt"; }
# Field $2 of the window's report in every round over $1 pages.
window_stat() { for round in $(seq "$rounds"); do awk -v f="$2" '{ print $f }' "$bench/round$round.$1.window.txt"; done; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# Median, lowest and highest of the numbers on standard input.
summary() { sort -g | awk '{ v[NR] = $1 } END { printf "%.2fx (%.2f-%.2f)", v[int((NR + 1) / 2)], v[1], v[NR] }'; }
name_of() {
  case "$1" in
    floor) echo "floor_win32 (independent)" ;; own) echo "plain_index --floor (own)" ;;
    plain) echo "plain_index" ;; cmd) echo "SkimdexCmd --yes" ;; window) echo "the window" ;;
    before) echo "SkimdexCmd, earlier build" ;;
  esac
}

echo "Each round's times, every contender also as a ratio to the $(name_of "$reference") of that round (CPU 0):"
for pages in "${sizes[@]}"; do
  for round in $(seq "$rounds"); do
    ref_s=$(seconds "$round" "$pages" "$reference")
    line=$(printf "%6d pages round %d  %s %.2f s" "$pages" "$round" "$reference" "$ref_s")
    for c in $contenders; do
      line+=$(awk -v c="$c" -v s="$(seconds "$round" "$pages" "$c")" -v r="$ref_s" \
        'BEGIN { printf "  %s %.2f s %.2fx", c, s, s / r }')
      awk -v s="$(seconds "$round" "$pages" "$c")" -v r="$ref_s" 'BEGIN { print s / r }' \
        >>"$bench/ratios.$pages.$c.txt.new"
    done
    echo "$line"
  done
done

echo "Medians of $rounds rounds, ratios as median (lowest-highest) of the rounds' ratios:"
for pages in "${sizes[@]}"; do
  ref_s=$(for round in $(seq "$rounds"); do seconds "$round" "$pages" "$reference"; done | median)
  printf "%6d pages  %-27s %6.2f s\n" "$pages" "$(name_of "$reference")" "$ref_s"
  if [ -n "$floor_exe" ]; then
    noop_s=$(for round in $(seq "$rounds"); do seconds "$round" "$pages" noop; done | median)
    printf "%6d pages  %-27s %6.2f s (Wine's start-up, measured apart)\n" "$pages" "floor_win32 --noop" "$noop_s"
  fi
  for c in $contenders; do
    mv "$bench/ratios.$pages.$c.txt.new" "$bench/ratios.$pages.$c.txt"
    c_s=$(for round in $(seq "$rounds"); do seconds "$round" "$pages" "$c"; done | median)
    line=$(printf "%6d pages  %-27s %6.2f s  %s" "$pages" "$(name_of "$c")" "$c_s" "$(summary <"$bench/ratios.$pages.$c.txt")")
    if [ -n "$floor_exe" ]; then
      # Each round's ratio with Wine's start-up taken from both sides; the window's time starts at
      # the click on Start and holds none.
      net=$(for round in $(seq "$rounds"); do
        awk -v s="$(seconds "$round" "$pages" "$c")" -v f="$(seconds "$round" "$pages" floor)" \
          -v n="$(seconds "$round" "$pages" noop)" -v w="$([ "$c" = window ] && echo 0 || echo 1)" \
          'BEGIN { print (s - w * n) / (f - n) }'
      done | summary)
      line+="  net of start-up $net"
    fi
    if [ "$c" = window ]; then
      cmd_net=$(for round in $(seq "$rounds"); do
        awk -v w="$(seconds "$round" "$pages" window)" -v c="$(seconds "$round" "$pages" cmd)" \
          -v n="$([ -n "$floor_exe" ] && seconds "$round" "$pages" noop || echo 0)" 'BEGIN { print w / (c - n) }'
      done | summary)
      line+=$(awk -v m="$(window_stat "$pages" 2 | median)" -v r="$(window_stat "$pages" 3 | sort -g | tail -1)" \
        -v kb="$(window_stat "$pages" 4 | sort -n | tail -1)" \
        'BEGIN { printf "\n%6s        %.2f s until the memo holds every entry, slowest answer %.2f s, peak memory %.0f MB", "", m, r, kb / 1024 }')
      line+="; to \"Finish\" $cmd_net SkimdexCmd's time net of start-up"
    fi
    if [ "$c" = cmd ] || [ "$c" = before ]; then
      peak_kb=$(cat "$bench"/round*."$pages"."$c".txt | awk '{ print $2 }' | sort -n | tail -1)
      line+=$(awk -v kb="$peak_kb" -v limit="$peak_limit_mb" \
        'BEGIN { printf "  peak memory %.0f MB%s", kb / 1024, kb / 1024 < limit ? "" : " (over " limit " MB)" }')
    fi
    echo "$line"
  done
done

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
