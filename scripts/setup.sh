#!/usr/bin/env bash
# Installs what building and testing Skimdex needs on Debian 12, and only what is missing.
# As root it installs; otherwise it prints the command to run and stops.
set -euo pipefail

packages=(
  cmake ninja-build make g++ clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth locales googletest nsis fonts-ipafont fonts-wine imagemagick xdotool chromium
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

need_locale=false
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  need_locale=true
fi

if [ ${#missing[@]} -eq 0 ] && ! $need_locale; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Skimdex needs system packages or the ja_JP.UTF-8 locale. Run as root:" >&2
  [ ${#missing[@]} -gt 0 ] && echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
  $need_locale && echo "  sed -i 's/^# *ja_JP.UTF-8/ja_JP.UTF-8/' /etc/locale.gen && locale-gen" >&2
  exit 1
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if $need_locale || ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  if grep -q '^# *ja_JP.UTF-8' /etc/locale.gen 2>/dev/null; then
    sed -i 's/^# *ja_JP.UTF-8/ja_JP.UTF-8/' /etc/locale.gen
  elif ! grep -q '^ja_JP.UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
  fi
  locale-gen >/dev/null
fi
