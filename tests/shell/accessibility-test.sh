#!/usr/bin/env bash
# Starts the program under Xvfb with a private session bus and the accessibility bus, and reads
# its main window through AT-SPI (accessible_names.py): every control a user operates has a
# name a screen reader can say.
# Usage: accessibility-test.sh PROGRAM
set -euo pipefail
program=$1
# On the real X11 platform libxkbcommon-x11 copies counted names with strndup; the sanitizer's
# strict string checks want a terminator there and abort inside that library.
if [[ -n ${ASAN_OPTIONS:-} ]]; then
    export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
fi
here=$(cd "$(dirname "$0")" && pwd)
if [[ -z ${INSIDE_XVFB:-} ]]; then
    INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -m 700 "$work/runtime"
mkdir "$work/config"
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config DBUS_SYSTEM_BUS_ADDRESS=disabled:
unset AT_SPI_BUS_ADDRESS QT_QPA_PLATFORM
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$work/address" 4>"$work/bus.pid"
pids+=("$(cat "$work/bus.pid")")
export DBUS_SESSION_BUS_ADDRESS=$(cat "$work/address")
/usr/libexec/at-spi-bus-launcher --launch-immediately &
pids+=($!)
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >"$work/program.log" 2>&1 &
pids+=($!)
/usr/bin/python3 "$here/accessible_names.py" Nocturnia "$here/accessible-names-pending.txt"
