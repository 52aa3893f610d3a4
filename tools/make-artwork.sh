#!/usr/bin/env bash
# Remakes the committed pictures under nocturnia/assets from tools/artwork.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build build --target make-artwork
QT_QPA_PLATFORM=offscreen build/bin/make-artwork nocturnia/assets
