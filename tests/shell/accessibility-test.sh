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
# The display takes connections before the program starts: under the sanitizers the program
# was seen to find no display at all now and then, and then ends.
for _ in $(seq 100); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
done
start_program() {
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >"$work/program.log" 2>&1 &
    program_pid=$!
    pids+=("$program_pid")
}
start_program
# A start that found no display is tried once more; any other end is the test's to see.
sleep 2
if ! kill -0 "$program_pid" 2>/dev/null && grep -q "could not connect to display" "$work/program.log"; then
    cat "$work/program.log"
    echo "the program found no display; starting it again"
    start_program
fi
# The program's own words when its window does not appear or a control has no name.
/usr/bin/python3 "$here/accessible_names.py" Nocturnia || {
    cat "$work/program.log"
    exit 1
}
