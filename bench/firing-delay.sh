#!/usr/bin/env bash
# How soon after the start of the scheduled second the power request leaves: twenty
# firings against a mocked login manager. Prints figures; judges nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build build --target firing_delay >/dev/null
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
build/bin/firing_delay
