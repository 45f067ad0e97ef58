#!/usr/bin/env bash
# Installs what is needed, checks the source layout, builds (warnings are
# errors), and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# The format check needs no build and takes seconds: it goes first, so a
# deviation fails at once rather than after the long build.
scripts/check-format.sh
scripts/build.sh
ctest --test-dir build --output-on-failure --timeout 600
