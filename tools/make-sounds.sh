#!/usr/bin/env bash
# Remakes the committed alarm sounds under nocturnia/assets/sounds from tools/sounds. Four of
# them ship as MP3, encoded with fixed options so that the files come out the same every time.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build build --target make-sounds
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
build/bin/make-sounds "$scratch"
for name in Fire Nuclear Siren Drums; do
    lame --quiet --noreplaygain -m m -q 2 --cbr -b 64 --resample 22.05 \
        "$scratch/$name.wav" "$scratch/$name.mp3"
done
mkdir -p nocturnia/assets/sounds
for name in Fire.mp3 Nuclear.mp3 Siren.mp3 Drums.mp3 Modern.wav Cuckoo.wav Classic.wav; do
    cp "$scratch/$name" nocturnia/assets/sounds/
done
