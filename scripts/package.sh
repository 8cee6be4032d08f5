#!/usr/bin/env bash
# Builds the two packages into build/: Skimdex-<version>-win64.zip and Skimdex-<version>-setup.exe.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/setup.sh
source scripts/build.sh
skimdex_build_windows
cmake --build build --target package
