#!/usr/bin/env bash
# Packages the build; then, in a Wine prefix of its own and with no display, runs the zip's SkimdexCmd.exe
# and installs, checks, runs and uninstalls the setup twice: into Program Files, and into a folder whose
# names hold 表 and ソ (their second byte is "\"). Usage: package_test.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
build="$1" work="$1/package-test" failed=0
prefix="$work/prefix" unzipped="$work/展開表示" drive="$work/prefix/drive_c"
check() { if "${@:2}"; then echo "PASS: $1"; else echo "FAIL: $1"; failed=1; fi; }
config() { sed -n "s/^set($1 \"\(.*\)\")$/\1/p" "$build/CPackConfig.cmake"; }
SKIMDEX_BUILD="$build" source "$2/scripts/wine-env.sh"
unset DISPLAY
export WINEPREFIX="$prefix" WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
trap 'wineserver -k 2>/dev/null' EXIT
version="$(config CPACK_PACKAGE_VERSION)"
rm -rf "$work" && mkdir -p "$unzipped" && { wineboot -i && wineserver -w; } >/dev/null 2>&1
cpack --config "$build/CPackConfig.cmake" -B "$work" >/dev/null || { echo "FAIL: cpack"; exit 1; }
(cd "$unzipped" && cmake -E tar xf "$work/Skimdex-$version-win64.zip")
mapfile -t packaged < <(ls "$unzipped/Skimdex")
cp -r "$2/samples/pages" "$drive/pages"

same_as_built() { for f in "${packaged[@]}"; do cmp -s "$1/$f" "$build/bin/$f" || return 1; done; }
zip_as_built() { [ "$(ls "$unzipped")" = Skimdex ] && same_as_built "$unzipped/Skimdex"; }
indexes() {  # Windows folder of SkimdexCmd.exe, which must find the template beside itself
  rm -f "$drive"/out*.html
  wine "$1\\SkimdexCmd.exe" --yes 'C:\pages' 'C:\out.html' &>/dev/null && grep -q notes "$drive/out_sub.html"
}
installed() {  # Linux folder
  [ "$(ls "$1")" = "$(printf '%s\n' "${packaged[@]}" Uninstall.exe | sort)" ] && same_as_built "$1"
}
shortcuts_lead_into() {  # Windows and Linux folder: a shortcut to each of these files that was packaged
  local pair link target
  for pair in "Skimdex.lnk:Skimdex.exe" "Skimdex ヘルプ.lnk:Skimdex.hlp"; do
    link="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Skimdex/${pair%%:*}" target="${pair#*:}"
    if [ -e "$2/$target" ]; then  # Wine's shortcut holds the target's path in the code page
      LC_ALL=C grep -qaF "$(printf '%s' "$1\\$target" | iconv -t CP932)" "$link" || return 1
    elif [ -e "$link" ]; then return 1; fi
  done
}
entry_lists() {  # Windows and Linux folder
  local entry line size="$(printf '0x%x' $(($(cat "$2"/* | wc -c) / 1024)))"
  entry="$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Skimdex' |
    iconv -f CP932 -t UTF-8 | sed -E 's/\r$//; s/^ {4}//; s/ {4}/|/g')"
  for line in "DisplayName|REG_SZ|Skimdex" "DisplayVersion|REG_SZ|$version" "EstimatedSize|REG_DWORD|$size" \
    "Publisher|REG_SZ|$(config CPACK_PACKAGE_VENDOR)" "DisplayIcon|REG_SZ|$1\\Skimdex.exe,0" \
    "UninstallString|REG_SZ|\"$1\\Uninstall.exe\""; do
    grep -qxF "$line" <<<"$entry" || { echo "missing: $line"; return 1; }
  done
}
only_settings_left() {  # Linux folder
  [ ! -e "$1" ] && [ -z "$(find "$drive" -iname '*skimdex*')" ] && ! grep -qi skimdex "$prefix/system.reg" &&
    grep -qF '[Software\\Larkmoor\\Skimdex\\Config]' "$prefix/user.reg"
}
cycle() {  # Windows folder, Linux folder, installer options
  wine "$work/Skimdex-$version-setup.exe" /S "${@:3}"
  check "files installed in $1" installed "$2"
  check "shortcuts into $1" shortcuts_lead_into "$1" "$2"
  check "uninstall entry for $1" entry_lists "$1" "$2"
  check "SkimdexCmd.exe indexes from $1" indexes "$1"
  wine "$1\\Uninstall.exe" /S && wineserver -w
  check "uninstalling from $1 leaves only the settings" only_settings_left "$2"
}

check "zip unpacks to one folder Skimdex of the built files" zip_as_built
check "SkimdexCmd.exe indexes from the unpacked zip" indexes "Z:${unzipped//\//\\}\\Skimdex"
wine reg add 'HKCU\Software\Larkmoor\Skimdex\Config' /v folder_level /d 3 /f >/dev/null
cycle 'C:\Program Files\Skimdex' "$drive/Program Files/Skimdex"
cycle 'C:\表示ソフト\索引' "$drive/表示ソフト/索引" '/D=C:\表示ソフト\索引'
[ "$failed" = 0 ] && echo "PASS: package test" && rm -rf "$work" || echo "FAIL: package test"
exit "$failed"
