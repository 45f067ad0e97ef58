#!/usr/bin/env bash
# Checks that every tracked C++ source follows .clang-format; prints each
# deviation and fails on the first file that has one. To mend them:
#   git ls-files '*.cpp' '*.h' | xargs clang-format -i
# The layout is that of the clang-format Debian 12 installs (version 14);
# another version may place a few tokens differently.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "clang-format fehlt: scripts/install-deps.sh ausführen" >&2; exit 2; }
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
