#!/usr/bin/env bash
# Packages the build; then, in a Wine prefix of its own and with no display, runs the zip's SkimdexCmd.exe
# and installs, checks, runs and uninstalls the setup twice, for the current user without administrator
# rights: into its default folder under %LOCALAPPDATA%, and into a folder whose names hold 表 and ソ
# (their second byte is "\"). Usage: package_test.sh BUILD_DIR SOURCE_DIR
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
files_in() { (cd "$1" && find . -type f -printf '%P\n' | sort); }
mapfile -t packaged < <(files_in "$unzipped/Skimdex")
cp -r "$2/samples/pages" "$drive/pages"
user="$(ls "$drive/users" | grep -vx Public)"
setup="$work/Skimdex-$version-setup.exe"
start_menu="$drive/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Skimdex"

same_as_built() { for f in "${packaged[@]}"; do cmp -s "$1/$f" "$build/bin/$f" || return 1; done; }
zip_as_built() { [ "$(ls "$unzipped")" = Skimdex ] && same_as_built "$unzipped/Skimdex"; }
indexes() {  # Windows folder of SkimdexCmd.exe, which must find the template beside itself
  rm -f "$drive"/out*.html
  wine "$1\\SkimdexCmd.exe" --yes 'C:\pages' 'C:\out.html' &>/dev/null && grep -q notes "$drive/out_sub.html"
}
installed() {  # Linux folder
  [ "$(files_in "$1")" = "$(printf '%s\n' "${packaged[@]}" Uninstall.exe | sort)" ] && same_as_built "$1"
}
asks_no_elevation() {  # the level the setup program's manifest asks for
  [ "$(LC_ALL=C grep -aoE 'requestedExecutionLevel level="[A-Za-z]+"' "$setup")" = \
    'requestedExecutionLevel level="asInvoker"' ]
}
lnk_working_folder() {  # .lnk file: its working folder, from the strings after the target and link info
  local lnk="$1" at=76 flags flag width=1
  number() { od -An -tu"$2" -j "$1" -N"$2" "$lnk" | tr -d ' '; }
  flags="$(number 20 4)"
  ((flags & 0x80)) && width=2
  ((flags & 0x1)) && at=$((at + 2 + $(number $at 2)))
  ((flags & 0x2)) && at=$((at + $(number $at 4)))
  ((flags & 0x10)) || return 1
  for flag in 4 8; do ((flags & flag)) && at=$((at + 2 + $(number $at 2) * width)); done
  # Wine counts the string's terminating NUL in its length.
  tail -c +$((at + 3)) "$lnk" | head -c $(($(number $at 2) * width)) |
    iconv -f "$( ((width == 2)) && echo UTF-16LE || echo CP932)" -t UTF-8 | tr -d '\0'
}
shortcuts_lead_into() {  # Windows folder: shortcuts in the user's Start menu, starting in that folder
  local pair link
  [ ! -e "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Skimdex" ] || return 1
  for pair in "Skimdex.lnk:Skimdex.exe" "Skimdex ヘルプ.lnk:help\\index.html"; do
    link="$start_menu/${pair%%:*}"
    # Wine's shortcut holds the target's path in the code page.
    LC_ALL=C grep -qaF "$(printf '%s' "$1\\${pair#*:}" | iconv -t CP932)" "$link" || return 1
    [ "$(lnk_working_folder "$link")" = "$1" ] || { echo "$link starts in $(lnk_working_folder "$link")"; return 1; }
  done
}
entry_lists() {  # Windows and Linux folder: the uninstall entry is the user's, none is the machine's
  local key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Skimdex' entry line
  local size="$(printf '0x%x' $(($(find "$2" -type f -exec cat {} + | wc -c) / 1024)))"
  ! wine reg query "HKLM\\$key" &>/dev/null || { echo "an uninstall entry under HKLM"; return 1; }
  entry="$(wine reg query "HKCU\\$key" |
    iconv -f CP932 -t UTF-8 | sed -E 's/\r$//; s/^ {4}//; s/ {4}/|/g')"
  for line in "DisplayName|REG_SZ|Skimdex" "DisplayVersion|REG_SZ|$version" "EstimatedSize|REG_DWORD|$size" \
    "Publisher|REG_SZ|$(config CPACK_PACKAGE_VENDOR)" "DisplayIcon|REG_SZ|$1\\Skimdex.exe,0" \
    "UninstallString|REG_SZ|\"$1\\Uninstall.exe\""; do
    grep -qxF "$line" <<<"$entry" || { echo "missing: $line"; return 1; }
  done
}
values_of() {  # registry key and reg query's options: its values as name|type|data lines
  wine reg query "$@" 2>/dev/null | iconv -f CP932 -t UTF-8 | sed -E 's/\r$//; s/^ {4}//; s/ {4}/|/g'
}
# Windows folder: the Explorer verbs and the App Paths entry, the user's. One written under HKLM would
# stay after the uninstall, which only_settings_left checks.
verbs_registered() {
  local program="$1\\Skimdex.exe" class values line lines
  for class in Directory 'Directory\Background' Drive; do
    values="$(values_of "HKCU\\Software\\Classes\\$class\\shell\\Skimdex" /s)"
    lines=("MUIVerb|REG_SZ|Skimdexで索引を作成(&K)" "Icon|REG_SZ|\"$program\",0")
    [ "$class" != Directory ] || lines+=('MultiSelectModel|REG_SZ|Single')  # one folder at a time
    for line in "${lines[@]}"; do
      grep -qxF "$line" <<<"$values" || { echo "$class: missing $line"; return 1; }
    done
    sed -n 's/^[^|]*|REG_SZ|//p' <<<"$values" | grep -qxF "\"$program\" \"%V\"" ||
      { echo "$class: no command; $values"; return 1; }
  done
  values_of 'HKCU\Software\Microsoft\Windows\CurrentVersion\App Paths\Skimdex.exe' /ve |
    sed -n 's/^[^|]*|REG_SZ|//p' | grep -qxF "$program"
}
verbs_gone() {
  ! grep -qiF -e 'shell\\Skimdex]' -e 'App Paths\\Skimdex.exe]' "$prefix/user.reg"
}
only_settings_left() {  # Linux folder
  [ ! -e "$1" ] && [ -z "$(find "$drive" -iname '*skimdex*')" ] && ! grep -qi skimdex "$prefix/system.reg" &&
    ! grep -qiF 'Uninstall\\Skimdex' "$prefix/user.reg" &&
    grep -qF '[Software\\Larkmoor\\Skimdex\\Config]' "$prefix/user.reg"
}
cycle() {  # Windows folder, Linux folder, installer options
  wine "$setup" /S "${@:3}"
  check "files installed in $1" installed "$2"
  check "shortcuts into $1" shortcuts_lead_into "$1"
  check "uninstall entry for $1" entry_lists "$1" "$2"
  check "Explorer verbs and App Paths entry for $1" verbs_registered "$1"
  check "SkimdexCmd.exe indexes from $1" indexes "$1"
  wine "$1\\Uninstall.exe" /S && wineserver -w
  check "uninstalling from $1 leaves only the settings" only_settings_left "$2"
  check "uninstalling from $1 removes the verbs and the App Paths entry" verbs_gone
}

check "zip unpacks to one folder Skimdex of the built files" zip_as_built
check "SkimdexCmd.exe indexes from the unpacked zip" indexes "Z:${unzipped//\//\\}\\Skimdex"
# A folder whose name code page 932 cannot spell, as a profile folder may be: the template is found.
cp -r "$unzipped/Skimdex" "$drive/Café"
check "SkimdexCmd.exe indexes from a folder named Café" indexes 'C:\Café'
rm -rf "$drive/Café"
check "the setup program asks for no administrator rights" asks_no_elevation
wine reg add 'HKCU\Software\Larkmoor\Skimdex\Config' /v folder_level /d 3 /f >/dev/null
cycle "C:\\users\\$user\\AppData\\Local\\Programs\\Skimdex" "$drive/users/$user/AppData/Local/Programs/Skimdex"
cycle 'C:\表示ソフト\索引' "$drive/表示ソフト/索引" '/D=C:\表示ソフト\索引'
[ "$failed" = 0 ] && echo "PASS: package test" && rm -rf "$work" || echo "FAIL: package test"
exit "$failed"
