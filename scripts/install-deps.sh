#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test Orvanta.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config ccache
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
    libjpeg-dev libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation xvfb xauth imagemagick poppler-utils python3
    lintian xdotool
    at-spi2-core python3-pyatspi dbus  # tests/app/atspi_names.py: what a screen reader reads
    openbox x11-utils libxcb1-dev  # bench/start_messen.sh: the start up to a visible window
    clang-format  # scripts/check-format.sh
    clang libclang-rt-14-dev  # scripts/check-deep.sh: sanitizers and libFuzzer
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
