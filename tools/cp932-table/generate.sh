#!/usr/bin/env bash
# Regenerates tools/helpc/cp932_table.cpp from glibc's iconv. The result is committed, so builds on
# any platform use the same table; rerun only to check or to change the rule.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -O2 -o "$work/generate" "$here/generate.cpp"
"$work/generate" >"$here/../helpc/cp932_table.cpp"
