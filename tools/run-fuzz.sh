#!/usr/bin/env bash
# Runs every fuzz target of the fuzz preset for a bounded time (seconds, 30 unless given) under
# ASan and UBSan, starting from its seed corpus in fuzz/corpus/. A crash stops the run with the
# failing input written to build-fuzz/crashes/. Prints the executions of each target.
# Usage: tools/run-fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p build-fuzz/crashes
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen TMPDIR="$scratch"

for target in fuzz_settings fuzz_storeddesign fuzz_conventions; do
    corpus="$scratch/${target#fuzz_}"
    mkdir -p "$corpus"
    cp fuzz/corpus/"${target#fuzz_}"/* "$corpus"/
    log="$scratch/$target.log"
    if ! build-fuzz/bin/$target -max_total_time="$seconds" -max_len=4096 -timeout=10 \
        -print_final_stats=1 -artifact_prefix=build-fuzz/crashes/$target- "$corpus" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "$target: FAILED (input in build-fuzz/crashes/)"
        exit 1
    fi
    runs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
    echo "$target: $runs executions in ${seconds}s, no crash"
done
