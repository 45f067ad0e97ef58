#!/usr/bin/env bash
# Installs what is needed, builds, and starts Orvanta with its delivered data.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
# FRV data files and the linked PDF are opened by bare name from the working directory.
cd build/bin
exec ./orvanta
