#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy) over every source file of the project that the build compiles,
# in parallel, and fails on any warning. Usage: tools/clang-tidy.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[[ -f $build/compile_commands.json ]] || { echo "no $build/compile_commands.json: build first" >&2; exit 2; }

# Our own translation units only: not the files moc, rcc and the probes generate.
mapfile -t files < <(python3 - "$build" <<'PY'
import json, os, sys
root = os.getcwd()
for entry in json.load(open(os.path.join(sys.argv[1], "compile_commands.json"))):
    path = os.path.realpath(os.path.join(entry["directory"], entry["file"]))
    if path.startswith(root + "/") and "/build" not in path[len(root):] and "_autogen" not in path:
        print(path)
PY
)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# The build's -Wpedantic makes clang object to Qt's logging macros; that is Qt's business.
run-clang-tidy -quiet -p "$build" -j "$(nproc)" \
    -extra-arg=-Wno-gnu-zero-variadic-macro-arguments "${files[@]}" >"$log" 2>&1 || true
# Warnings as "path:line:col: warning: text [check]", without colours, each once. Printed with
# >&2, not tee /dev/stderr: reopening that device truncates a log file the output goes to.
warnings=$(sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E '^/.*: (warning|error):' | sort -u || true)
if [[ -n $warnings ]]; then
    printf '%s\n' "$warnings" >&2
    echo "clang-tidy: warnings above" >&2
    exit 1
fi
echo "clang-tidy: ${#files[@]} files, no warnings"
