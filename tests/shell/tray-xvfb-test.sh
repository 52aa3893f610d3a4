#!/usr/bin/env bash
# The real notification-area icon under Xvfb with an XEmbed tray host (trayer): minimising
# hides the window behind the icon, a right click on the icon opens the menu, "&Show Main
# Window" brings the window back and "&Exit" ends the program.
# Usage: tray-xvfb-test.sh PROGRAM
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/shell/xvfb-session.sh
source "$here/xvfb-session.sh"
export DBUS_SESSION_BUS_ADDRESS=disabled:
fail() {
    echo "FAIL: $*" >&2
    cat "$work/program.log" >&2 || true
    exit 1
}
# Waits up to ten seconds for a command to succeed.
until_true() {
    for _ in $(seq 100); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}
main_shown() { xdotool search --onlyvisible --name '^Nocturnia$'; }
main_hidden() { ! main_shown; }
menu_shown() { [[ $(xdotool search --onlyvisible --class nocturnia | wc -l) -gt $1 ]]; }
wm_state() { /usr/bin/python3 "$here/set_wm_state.py" "$window" "$1"; }
# Right-clicks the icon until its menu shows, for ten seconds: on a loaded machine a click
# can come before the icon takes it. A menu that shows late is not clicked closed again.
open_menu() {
    for _ in $(seq 10); do
        menu_shown "$others" && return 0
        xdotool mousemove 12 15 click 3
        sleep 1
    done
    menu_shown "$others"
}

start_tray_host() {
    trayer --edge top --align left --widthtype pixel --width 200 --height 32 \
        >>"$work/trayer.log" 2>&1 &
    tray_pid=$!
    pids+=("$tray_pid")
}
# A host that gave up while the X server was still settling is started again.
tray_host_up() {
    kill -0 "$tray_pid" 2>/dev/null || start_tray_host
    xdotool search --name '^panel$' || xdotool search --class trayer
}
start_tray_host
until_true tray_host_up || fail "no tray host: $(cat "$work/trayer.log")"
"$program" >"$work/program.log" 2>&1 &
program_pid=$!
pids+=($program_pid)
until_true main_shown || fail "the main window did not appear after the splash"
window=$(main_shown | head -1)

wm_state 3 # minimise
until_true main_hidden || fail "minimising did not hide the window"
others=$(xdotool search --onlyvisible --class nocturnia | wc -l)
xdotool mousemove 12 15 click 1
sleep 0.5
main_hidden || fail "the left button restored the window"
menu_shown "$others" && fail "the left button opened a menu"
open_menu || fail "the right button on the icon opened no menu"
xdotool mousemove 80 45 click 1 # "&Show Main Window", the third line
until_true main_shown || fail "\"&Show Main Window\" did not bring the window back"
echo "minimise, right click and \"&Show Main Window\": done"

wm_state 1 # shown again, as the window manager would say
sleep 0.3
wm_state 3
until_true main_hidden || fail "the second minimise did not hide the window"
open_menu || fail "no menu the second time"
xdotool key e # "&Exit"
until_true bash -c "! kill -0 $program_pid" || fail "\"&Exit\" did not end the program"
echo "\"&Exit\" from the tray menu ended the program"
