#!/usr/bin/env bash
# Starts the program under Xvfb with a private session bus and the accessibility bus, and reads
# its main window through AT-SPI (accessible_names.py): every control a user operates has a
# name a screen reader can say.
# Usage: accessibility-test.sh PROGRAM
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/shell/xvfb-session.sh
source "$here/xvfb-session.sh"
unset AT_SPI_BUS_ADDRESS
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$work/address" 4>"$work/bus.pid"
pids+=("$(cat "$work/bus.pid")")
export DBUS_SESSION_BUS_ADDRESS=$(cat "$work/address")
/usr/libexec/at-spi-bus-launcher --launch-immediately &
pids+=($!)
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >"$work/program.log" 2>&1 &
pids+=($!)
# The program's own words when its window does not appear or a control has no name.
/usr/bin/python3 "$here/accessible_names.py" Nocturnia || {
    cat "$work/program.log"
    exit 1
}
