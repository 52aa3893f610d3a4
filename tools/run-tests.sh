#!/usr/bin/env bash
# Runs the whole test suite headless on Qt's offscreen platform, in private configuration and
# runtime folders, with the helper services the tests need started here and stopped after.
# Usage: tools/run-tests.sh [PRESET]
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}

scratch=$(mktemp -d)
cleanup() {
    rm -rf "$scratch"
}
trap cleanup EXIT

export XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" XDG_CACHE_HOME="$scratch/cache"
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen

if [[ $preset == asan ]]; then
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
    export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi

ctest --preset "$preset" -j2
