# shellcheck shell=bash
# Sourced by the tests that run the program on a real X server: the calling script runs again
# inside xvfb-run, then has a scratch folder ($work) holding the program's runtime and
# configuration folders and no system bus; the processes it adds to `pids` are stopped and the
# folder removed when it ends.

# On the real X11 platform libxkbcommon-x11 copies counted names with strndup; the sanitizer's
# strict string checks want a terminator there and abort inside that library.
if [[ -n ${ASAN_OPTIONS:-} ]]; then
    export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
fi
if [[ -z ${INSIDE_XVFB:-} ]]; then
    # The search for a free display starts at a number of this run's own, so that runs on
    # the same machine at the same moment (two test suites) do not race for the same one.
    INSIDE_XVFB=1 exec xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 1024x768x24" "$0" "$@"
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
unset QT_QPA_PLATFORM
