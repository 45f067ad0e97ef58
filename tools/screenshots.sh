#!/usr/bin/env bash
# Builds the program with its delivered data and saves pictures of what the
# tests show: the main window (table view, chart of both phases, all three
# links at access level 3), the settings dialog, the password dialog, the
# commission view at levels 1 and 3 with its settings, the print options, the
# report preview and the controls in the house look. The tests save them
# through their screenshot helper, which works only when ORVANTA_SCREENSHOT_DIR
# is set; they run on the offscreen platform as under CTest (a virtual X
# screen without a window manager activates no second window). Pictures go to
# build/screenshots/ (or $1).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/screenshots}"
tests=(app_test_layout controls_test_controlsgallery controls_test_fieldlook
       dialogs_test_druckpar dialogs_test_tfrm_perfprovision dialogs_test_tpassworddlg)
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j2 --target orvanta orvanta_data "${tests[@]}"
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen ORVANTA_DATA_DIR="$PWD/build/bin" ORVANTA_SOURCE_DIR="$PWD"
export ORVANTA_SCREENSHOT_DIR="$(cd "$out" && pwd)"
for t in "${tests[@]}"; do
    exe=$(find build/tests -type f -name "$t" | head -n 1)
    "$exe"
done
ls -1 "$out"/*.png
