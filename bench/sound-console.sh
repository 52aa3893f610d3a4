#!/usr/bin/env bash
# The sound console sampling for 30 s (or the seconds given): CPU share, wake-ups, the longest
# stall of the window's thread, the delay from a loud tone to the command. Prints figures;
# judges nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build build --target sound_console >/dev/null
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen
export DBUS_SESSION_BUS_ADDRESS=disabled:
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
build/bin/sound_console "$@"
