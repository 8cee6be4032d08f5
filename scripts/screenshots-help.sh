#!/usr/bin/env bash
# Renders the help screenshots into docs/screenshots/ under Xvfb and Wine: Skimdex.exe's configuration
# dialog help button (help-config.png) and its contents request (help-contents.png), each showing in
# Wine's help viewer. Not part of the test command. SKIMDEX_BUILD names the cross build folder
# (default build/); SKIMDEX_SCREENSHOT_DISPLAY the Xvfb display to use (default :91).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/setup.sh
export SKIMDEX_BUILD="${SKIMDEX_BUILD:-$root/build}"
[ -f "$SKIMDEX_BUILD/CMakeCache.txt" ] || cmake -S . -B "$SKIMDEX_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
# The help file comes with the whole build; help_poses drives the program.
cmake --build "$SKIMDEX_BUILD" --target all help_poses

export DISPLAY="${SKIMDEX_SCREENSHOT_DISPLAY:-:91}"
source scripts/wine-env.sh
shots="$root/docs/screenshots"
mkdir -p "$shots"
poses="$SKIMDEX_BUILD/help-poses"
rm -rf "$poses"
mkdir -p "$poses"

skimdex_wine_start
# help_poses announces each window in pose.txt ("name WxH+X+Y"); removing the file tells it to go on.
wine "$SKIMDEX_BUILD/bin/help_poses.exe" "Z:${poses//\//\\}" </dev/null >/dev/null 2>"$poses/log" &
program=$!
while kill -0 "$program" 2>/dev/null; do
  if [ -f "$poses/pose.txt" ]; then
    read -r name geometry <"$poses/pose.txt"
    import -window root -crop "$geometry" +repage "$shots/$name.png"
    echo "$shots/$name.png ($geometry)"
    rm -f "$poses/pose.txt"
  fi
  sleep 0.1
done
wait "$program" || { cat "$poses/log" >&2; exit 1; }
skimdex_wine_stop
