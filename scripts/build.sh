#!/usr/bin/env bash
# Configures and builds into build/ (program, tool and data end up in build/bin).
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
# A compiler cache, where installed, makes rebuilds in several checkouts cheap.
# Paths are taken relative to the checkout, so every clone shares one cache.
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}"
cmake --build build --parallel "$(nproc)"
