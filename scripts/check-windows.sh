#!/usr/bin/env bash
# The core on the Windows API: builds core/ and its tests with MinGW-w64 for
# 64-bit Windows (no Qt: Debian ships none for Windows) in build-windows/,
# and runs the tests under Wine. Installs what it needs with apt-get.
#
#   scripts/check-windows.sh [TEST_REGEX]
set -euo pipefail
cd "$(dirname "$0")/.."
regex="${1:-}"
build=build-windows

packages=(g++-mingw-w64-x86-64-posix wine wine64 googletest cmake ninja-build)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi
start=$(date +%s)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DORVANTA_CORE_ONLY=ON \
    "${launcher[@]}" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
built=$(date +%s)

# Wine's own prefix in the build folder: no settings of the user's are
# touched, and no window or debug chatter is wanted.
export WINEPREFIX="$PWD/$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
[ -f "$WINEPREFIX/system.reg" ] || wineboot --init >/dev/null 2>&1 || true
ctest_args=(--test-dir "$build" --output-on-failure --timeout 600)
[ -n "$regex" ] && ctest_args+=(-R "$regex")
rc=0
ctest "${ctest_args[@]}" || rc=$?
wineserver -k 2>/dev/null || true
end=$(date +%s)
echo "Windows: Bau $((built - start)) s, Tests unter Wine $((end - built)) s"
exit $rc
