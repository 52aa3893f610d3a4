#!/usr/bin/env bash
# How soon after a trigger file appears in the watched folder the power request leaves: twenty
# drops against a mocked login manager. Prints figures; judges nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build build --target tidelink_delay >/dev/null
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
build/bin/tidelink_delay
