#!/usr/bin/env bash
# Builds the program with its delivered data and saves pictures of the main
# window (table view, chart of both phases, all three links at access level 3),
# the settings dialog, the password dialog, the commission view at levels 1
# and 3 with its settings, the print options and the report preview, drawn on
# a virtual X screen. Pictures go to build/screenshots/ (or $1).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/screenshots}"
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j2 --target orvanta orvanta_data app_test_layout
mkdir -p "$out"
ORVANTA_DATA_DIR="$PWD/build/bin" ORVANTA_SOURCE_DIR="$PWD" ORVANTA_SCREENSHOT_DIR="$(cd "$out" && pwd)" \
    xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/app/app_test_layout
ls -1 "$out"/*.png
