#!/usr/bin/env bash
# Start-up times and idle cost of Nocturnia on Qt's offscreen platform, with an empty
# settings store. Prints figures; judges nothing.
# Usage: bench/startup-idle.sh [IDLE_SECONDS [armed]]
set -euo pipefail
cd "$(dirname "$0")/.."
idle=${1:-30}
cmake --preset default >/dev/null
cmake --build build --target startup_idle nocturnia >/dev/null
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
launch=$(date +%s%N)
exec build/bin/startup_idle "$launch" "$idle" ${2:+"$2"}
