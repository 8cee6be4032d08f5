#!/usr/bin/env bash
# Builds everything and runs every test: the Windows programs' tests under Wine, then the pure
# logic natively under AddressSanitizer and UndefinedBehaviorSanitizer, with its fuzzers.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/setup.sh
source scripts/build.sh
skimdex_build_windows

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DSKIMDEX_SANITIZE=ON -DSKIMDEX_FUZZ=ON >/dev/null
cmake --build build/native

export SKIMDEX_BUILD="$root/build"
# The GUI scenarios move the pointer and type: they always get an Xvfb display of their own, never
# the desktop the command was started from.
export DISPLAY="${SKIMDEX_TEST_DISPLAY:-:97}"
source scripts/wine-env.sh
skimdex_wine_start
trap skimdex_wine_stop EXIT

status=0
ctest --test-dir build --output-on-failure -j2 | tee build/ctest-windows.log || status=1
ctest --test-dir build/native --output-on-failure -j2 | tee build/ctest-native.log || status=1

# A skipped test means a guard misfired: the run is not green.
if grep -h "(Skipped)" build/ctest-windows.log build/ctest-native.log; then
  echo "Tests were skipped: the test prefix guard did not recognise this run." >&2
  status=1
fi

# One closing line for both runs.
count() { grep -ohE "[0-9]+ tests failed out of [0-9]+" build/ctest-windows.log build/ctest-native.log |
  awk -v want="$1" '{failed += $1; total += $6} END {print (want == "failed") ? failed : total - failed}'; }
echo "$(count passed) passed, $(count failed) failed"
exit $status
