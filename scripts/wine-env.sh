# Sourced: the environment in which Skimdex's Windows programs run under Wine.
# Needs SKIMDEX_BUILD (the cross build folder); keeps the Wine prefix inside it.
export LANG=ja_JP.UTF-8
unset LC_ALL LC_CTYPE LANGUAGE
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
export WINEARCH=win64
# Tests that erase the settings or drive the windows run only in this prefix.
export SKIMDEX_TEST_PREFIX=1
export WINEPREFIX="$SKIMDEX_BUILD/wineprefix"
export DISPLAY="${DISPLAY:-:97}"

# Starts Xvfb where the display has no server, creates the prefix when new, and keeps one wineserver
# alive for the whole session.
skimdex_wine_start() {
  local display_number="${DISPLAY#:}"
  # A display whose server has gone leaves its socket and lock behind: start a new server there.
  local lock="/tmp/.X${display_number}-lock"
  if [ -f "$lock" ] && ! kill -0 "$(tr -d ' ' <"$lock")" 2>/dev/null; then
    rm -f "$lock" "/tmp/.X11-unix/X${display_number}"
  fi
  if [ ! -e "/tmp/.X11-unix/X${display_number}" ]; then
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    skimdex_started_xvfb=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display_number}" ] && break; sleep 0.1; done
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  wineserver -p >/dev/null 2>&1 || true
  skimdex_wine_settings
  # The first program started brings up Wine's services; they must not inherit a test runner's
  # output pipes, or the runner waits for them to close.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Without a window manager (Xvfb alone) Wine must not wait for one to map each window; the
# program's font face and the system dialogs' faces map to the IPA fonts of fonts-ipafont, so
# screenshots show what a Japanese Windows user sees. Written once per prefix: a marker remembers it.
skimdex_wine_settings() {
  local marker="$WINEPREFIX/.skimdex-settings-2"
  [ -f "$marker" ] && return 0
  # Debian's Wine does not find its own fonts (fonts-wine); the caption buttons' glyphs need Marlett.
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  local reg="$WINEPREFIX/skimdex-settings.reg"
  # regedit reads non-ASCII value names only from a UTF-16 file.
  {
    printf '\xff\xfe'
    iconv -f UTF-8 -t UTF-16LE <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS PGothic"="IPAPGothic"
"MS Gothic"="IPAGothic"
"MS UI Gothic"="IPAPGothic"
REG
  } >"$reg"
  wine regedit /S "Z:${reg//\//\\}" </dev/null >/dev/null 2>&1 && touch "$marker"
  rm -f "$reg"
}

# Ends the Wine session, and the Xvfb display if skimdex_wine_start started it (one the user already
# had stays).
skimdex_wine_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${skimdex_started_xvfb:-}" ]; then
    kill "$skimdex_started_xvfb" 2>/dev/null || true
    wait "$skimdex_started_xvfb" 2>/dev/null || true
    skimdex_started_xvfb=""
  fi
}
