#!/usr/bin/env bash
# Photographs the HTML manual in headless Chromium, as a user's browser shows it: the contents page
# and the configuration dialog's page, into docs/screenshots/help-html-contents.png and
# help-html-config.png. Called by scripts/screenshots.sh; SKIMDEX_BUILD names the build folder whose
# bin/help holds the manual (default build/).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/setup.sh
# A configured build (scripts/screenshots.sh makes one) compiles the manual.
export SKIMDEX_BUILD="${SKIMDEX_BUILD:-$root/build}"
cmake --build "$SKIMDEX_BUILD" --target help_file >/dev/null
manual="$SKIMDEX_BUILD/bin/help"
shots="$root/docs/screenshots"
mkdir -p "$shots"

# A new empty profile per picture: nothing remembered from an earlier run changes the page.
shoot() {  # page, picture name, window size
  local profile
  profile="$(mktemp -d)"
  chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --hide-scrollbars --force-device-scale-factor=1 \
    --lang=ja --user-data-dir="$profile" --window-size="$3" --screenshot="$shots/$2.png" \
    "file://$manual/$1" 2>/dev/null
  rm -rf "$profile"
  echo "$shots/$2.png ($3)"
}

shoot index.html help-html-contents 720,600
shoot config.html help-html-config 720,1100
