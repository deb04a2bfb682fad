#!/usr/bin/env bash
# Installs what is missing, builds the release library and our host, shows what a host sees
# when it loads the instrument, and renders a short demo of the eight factory presets into
# out/demo.wav: a phrase of about 3 s per preset, played from noise bursts at each note-on.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j"$(nproc)" --target talvir_plugin talvir-host

host=build/release/tools/talvir-host
plugin=build/release/Talvir.so

echo "== talvir-host info $plugin"
"$host" info "$plugin"

# Per preset (starting every 3 s): a rising A minor arpeggio, then the chord held.
args=()
for preset in 0 1 2 3 4 5 6 7; do
    t=$((preset * 3))
    args+=(--program-at "$t:$preset")
    for note in "57:0.0:0.45:90" "60:0.45:0.45:100" "64:0.9:0.45:110" \
                "57:1.4:1.1:80" "64:1.4:1.1:80" "69:1.4:1.1:100"; do
        IFS=: read -r key start length velocity <<<"$note"
        args+=(--note "$key:$(awk -v a="$t" -v b="$start" 'BEGIN { print a + b }'):$length:$velocity")
    done
done

mkdir -p out
echo
echo "== talvir-host render: the eight factory presets into out/demo.wav"
"$host" render "$plugin" "${args[@]}" --excite burst --tail 1 --gain -6 -o out/demo.wav
