#!/usr/bin/env bash
# The main job: builds Skimdex and runs one index run with SkimdexCmd over the sample pages.
# With --window it starts the window program Skimdex.exe instead: on the user's display when there
# is one (the user presses Start), otherwise under Xvfb, where the script runs the index over the
# sample pages through the window's own menu and saves a screenshot.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

mode=console
case "${1:-}" in
  "") ;;
  --window) mode=window ;;
  *) echo "usage: bash scripts/run.sh [--window]" >&2; exit 64 ;;
esac

# The user's display, when one answers (or its local socket exists); checked before wine-env.sh
# picks a default.
display_answers() {
  [ -n "${DISPLAY:-}" ] || return 1
  xset q >/dev/null 2>&1 && return 0
  local number="${DISPLAY#*:}"
  [ -S "/tmp/.X11-unix/X${number%%.*}" ]
}
user_display=""
if [ "$mode" = window ] && display_answers; then
  user_display="$DISPLAY"
fi

bash scripts/setup.sh
source scripts/build.sh
skimdex_build_windows

export SKIMDEX_BUILD="$root/build"
[ -n "$user_display" ] || export DISPLAY=:93
source scripts/wine-env.sh
skimdex_wine_start
trap skimdex_wine_stop EXIT

out="$root/build/sample-index"
mkdir -p "$out"
folder="$(winepath -w "$root/samples/pages")"
output="$(winepath -w "$out")\\Localindex.html"

if [ "$mode" = window ] && [ -n "$user_display" ]; then
  echo "Skimdex is open on $user_display; it ends when its window closes."
  wine build/bin/Skimdex.exe
  exit 0
fi

if [ "$mode" = window ]; then
  command -v xdotool >/dev/null || { echo "The window run under Xvfb needs xdotool: apt-get install -y xdotool" >&2; exit 1; }
  # The settings the window loads at start-up: the sample pages, depth 3, the output folder above.
  key='HKCU\Software\Larkmoor\Skimdex\Config'
  wine reg add "$key" /v IniSeekDir /d "$folder" /f >/dev/null 2>&1
  wine reg add "$key" /v IniFileName /d "$output" /f >/dev/null 2>&1
  wine reg add "$key" /v FolderLevel /d 3 /f >/dev/null 2>&1
  rm -f "$out/Localindex.html" "$out/Localindex_sub.html"
  wine build/bin/Skimdex.exe >/dev/null 2>&1 &
  program=$!
  window=""
  for _ in $(seq 100); do
    window="$(xdotool search --name '^Skimdex$' 2>/dev/null | head -n 1)" && [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "Skimdex.exe did not open its window" >&2; exit 1; }
  sleep 1
  # ファイル(&F) → 実行(&G): the menu's run item, as a user at the keyboard starts the run.
  xdotool windowfocus --sync "$window" key alt+f g
  for _ in $(seq 600); do
    tail -c 9 "$out/Localindex_sub.html" 2>/dev/null | grep -q '</HTML>' && break
    sleep 0.1
  done
  sleep 1
  import -window root -crop 400x300+0+0 "$out/window.png"
  # ファイル(&F) → 終了(&X): closing saves the settings, as on Windows.
  xdotool windowfocus --sync "$window" key alt+f x
  wait "$program" || true
  echo "Frame page:   $out/Localindex.html"
  echo "Listing page: $out/Localindex_sub.html"
  echo "Screenshot:   $out/window.png"
  exit 0
fi

echo "Scan list (as the main window's memo shows it):"
status=0
wine build/bin/SkimdexCmd.exe --yes --depth 3 "$folder" "$output" 2> >(iconv -f CP932 -t UTF-8 >&2) |
  iconv -f CP932 -t UTF-8 | tr -d '\r' || status=$?
[ "$status" -eq 0 ] || { echo "SkimdexCmd failed with status $status" >&2; exit "$status"; }

# The frame page with both frames, as a browser on Linux shows it: its addresses are Wine's
# (file:///Z:\...), and Wine's drive Z: is the Linux root, so a copy whose frame address drops "Z:", as
# the browser tests map it, opens the listing page. The copy and the browser's profile go afterwards.
shot="$(mktemp -d)"
trap 'skimdex_wine_stop; rm -rf "$shot"' EXIT
LC_ALL=C sed 's|file:///Z:\\|file:///|g' "$out/Localindex.html" >"$shot/Localindex.html"
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --hide-scrollbars --user-data-dir="$shot/profile" \
  --window-size=800,500 --screenshot="$out/index.png" "file://$shot/Localindex.html" >/dev/null 2>&1

echo
echo "Frame page:   $out/Localindex.html"
echo "Listing page: $out/Localindex_sub.html"
echo "Picture:      $out/index.png"
