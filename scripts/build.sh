#!/usr/bin/env bash
# Configures and builds into build/ (program, tool and data end up in build/bin).
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
# A compiler cache, where installed, makes rebuilds in several checkouts cheap.
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}"
cmake --build build --parallel "$(nproc)"
