#!/usr/bin/env bash
# The network trigger: how soon after connect() the power request leaves, over twenty
# connections against a mocked login manager, then a flood of connections. Prints figures;
# judges nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build build --target farcall_bench >/dev/null
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
build/bin/farcall_bench
