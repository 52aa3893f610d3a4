#!/usr/bin/env bash
# Builds the .deb, unpacks it into a throwaway root, checks its layout, its metadata and its
# dependencies, and starts the unpacked program to see that it loads its control library from
# its own program folder, where its sounds and documents lie.
# Usage: package-test.sh BUILD-DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
pid=
cleanup() {
    if [[ -n $pid ]]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/nocturnia_*.deb)
echo "built $(basename "$deb")"

# Library dependencies computed from the binaries, the help viewer recommended.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libqt6widgets6 libqt6multimedia6 libqt6network6 libc6; do
    grep -q "$library" <<<"$depends" || fail "no dependency on $library"
done
grep -q xchm <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "no CHM viewer recommended"

root=$work/root
dpkg-deb -x "$deb" "$root"
folder=$root/usr/lib/nocturnia
[[ $(readlink "$root/usr/bin/nocturnia") == ../lib/nocturnia/nocturnia ]] ||
    fail "bin/nocturnia does not point into the program folder"
for file in nocturnia libdatora.so Fire.mp3 Nuclear.mp3 Siren.mp3 Drums.mp3 Modern.wav \
    Cuckoo.wav Classic.wav Help.chm "Leafwise Campaign.pdf"; do
    [[ -f "$folder/$file" ]] || fail "missing from the program folder: $file"
done
[[ -x "$folder/nocturnia" ]] || fail "the program is not executable"
desktop-file-validate "$root/usr/share/applications/org.nocturnia.Nocturnia.desktop" ||
    fail "desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.nocturnia.Nocturnia.metainfo.xml" \
    >"$work/appstream.log" 2>&1 || { cat "$work/appstream.log"; fail "AppStream metadata"; }
for side in 16 24 32 48 64 96 128 256; do
    icon=$root/usr/share/icons/hicolor/${side}x${side}/apps/org.nocturnia.Nocturnia.png
    [[ -f $icon ]] || fail "no ${side}px icon"
    identify -format '%wx%h' "$icon" | grep -qx "${side}x${side}" || fail "${side}px icon's size"
done
# Nothing of the build tree: no tests, no tools.
unexpected=$(find "$root" -type f \( -name 'tst_*' -o -name 'make-*' \) | head -1)
[[ -z $unexpected ]] || fail "unexpected file in the package: $unexpected"

# The unpacked program, started through its link in a private session.
mkdir -p "$work/runtime" "$work/config"
chmod 700 "$work/runtime"
env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" \
    DBUS_SESSION_BUS_ADDRESS=disabled: DBUS_SYSTEM_BUS_ADDRESS=disabled: \
    "$root/usr/bin/nocturnia" >"$work/run.log" 2>&1 &
pid=$!
for _ in $(seq 200); do
    grep -qF "$folder/libdatora.so" "/proc/$pid/maps" 2>/dev/null && break
    kill -0 "$pid" 2>/dev/null || { cat "$work/run.log"; fail "the program ended"; }
    sleep 0.1
done
grep -qF "$folder/libdatora.so" "/proc/$pid/maps" ||
    { cat "$work/run.log"; fail "the control library was not loaded from the program folder"; }
echo "the installed program runs with $folder/libdatora.so"
