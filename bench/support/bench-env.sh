# shellcheck shell=bash
# Sourced by the benchmark scripts: bench_prepare TARGET... builds the targets in the default
# build and leaves the script in the source folder with a throw-away configuration and
# runtime folder on Qt's offscreen platform, so that a run never sees the user's own.
bench_prepare() {
    cd "$(dirname "${BASH_SOURCE[0]}")/../.." || exit
    cmake --preset default >/dev/null
    cmake --build build --target "$@" >/dev/null
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    export XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}
