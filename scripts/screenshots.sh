#!/usr/bin/env bash
# Renders the window program's screenshots into docs/screenshots/ under Xvfb and Wine: the main window
# idle and after a run over samples/pages, the about box, the configuration dialog, the folder browser,
# Wine's help viewer opened by the dialog's help button and by the contents request, and the idle main
# window at 144 dpi (a prefix of its own with LogPixels 144); then the HTML manual in headless Chromium
# (scripts/screenshots-help-html.sh). Not part of the test command. SKIMDEX_BUILD names the cross
# build folder (default build/); SKIMDEX_SCREENSHOT_DISPLAY the Xvfb display to use (default :91).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/setup.sh
export SKIMDEX_BUILD="${SKIMDEX_BUILD:-$root/build}"
[ -f "$SKIMDEX_BUILD/CMakeCache.txt" ] || cmake -S . -B "$SKIMDEX_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
# The help file comes with the whole build.
cmake --build "$SKIMDEX_BUILD" --target all screenshot_poses help_poses

export DISPLAY="${SKIMDEX_SCREENSHOT_DISPLAY:-:91}"
source scripts/wine-env.sh
shots="$root/docs/screenshots"
mkdir -p "$shots"
poses="$SKIMDEX_BUILD/screenshot-poses"
rm -rf "$poses"
mkdir -p "$poses"

# Runs a poses program (screenshot_poses or help_poses) in the current prefix and photographs each
# window it announces in pose.txt ("name WxH+X+Y"); removing the file tells it to go on.
shoot() {
  local poses_program="$1"
  shift
  wine "$SKIMDEX_BUILD/bin/$poses_program.exe" "Z:${poses//\//\\}" "$@" </dev/null >/dev/null 2>"$poses/log" &
  local program=$!
  while kill -0 "$program" 2>/dev/null; do
    if [ -f "$poses/pose.txt" ]; then
      read -r name geometry <"$poses/pose.txt"
      import -window root -crop "$geometry" +repage "$shots/$name.png"
      echo "$shots/$name.png ($geometry)"
      rm -f "$poses/pose.txt"
    fi
    sleep 0.1
  done
  wait "$program" || { cat "$poses/log" >&2; return 1; }
}

skimdex_wine_start
# The sample pages as a user keeps them: in a folder of drive C:.
rm -rf "$WINEPREFIX/drive_c/Web"
cp -r samples/pages "$WINEPREFIX/drive_c/Web"
shoot screenshot_poses 'C:\Web'
shoot help_poses
skimdex_wine_stop

# The same program at 144 dpi, in a prefix of its own so the test prefix keeps 96 dpi.
export WINEPREFIX="$SKIMDEX_BUILD/wineprefix-144dpi"
skimdex_wine_start
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
skimdex_wine_stop
skimdex_wine_start
shoot screenshot_poses
skimdex_wine_stop

bash scripts/screenshots-help-html.sh
