#!/usr/bin/env bash
# realhost_render.sh PLUGIN.so PITCH_CHECK
# Ardour (Debian package "ardour"), headless on its Dummy backend, plays three notes through
# the library with a noise burst into its inputs at each note-on, exports the master bus, and
# PITCH_CHECK verifies the length of the export and that each note rings at its pitch.
# Exit 0 passed, 1 failed, 77 Ardour is not installed.
set -u
[ $# -eq 2 ] || { echo "usage: $0 PLUGIN.so PITCH_CHECK" >&2; exit 2; }
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
plugin="$(readlink -f "$1")"
pitch_check="$(readlink -f "$2")"

rate=48000
block=1024
length=3.4
# on:off:note (seconds); notes apart so that one note's tail does not blur the next
notes="0.1:0.9:57 1.2:2.0:64 2.4:3.2:69"
# Release 0, LFO A and B amplitudes 0, Detune B 0, warp LFO amplitude 0: steady pitches
params="2=0,7=0,17=0,12=0,24=0"
tries=3

scanner="$(dpkg -L ardour 2>/dev/null | grep -m1 '/ardour-vst-scanner$')"
session_tool="$(dpkg -L ardour 2>/dev/null | grep -m1 -E '/bin/ardour[0-9]+-lua$')"
if [ -z "$scanner" ] || [ -z "$session_tool" ]; then
    echo "realhost_render: Ardour is not installed (apt-get install ardour): skipped"
    exit 77
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/plugins" "$work/cache" "$work/out" "$work/config/ardour7/scripts" \
    "$work/config/ardour7/export"
cp "$plugin" "$work/plugins/Talvir.so"
# The host ignores a scan result that is not newer than the library it describes.
touch -d '-1 minute' "$work/plugins/Talvir.so"

# 1. Scan: Ardour's session tool only reads the scanner's cache.
XDG_CACHE_HOME="$work/cache" LD_LIBRARY_PATH="$(dirname "$scanner")" \
    timeout -k 5 60 "$scanner" -f "$work/plugins/Talvir.so" >"$work/scan.log" 2>&1
cache="$(ls "$work"/cache/ardour*/vst/*.v2i 2>/dev/null | head -1)"
uid="$(sed -n 's/.*<VST2Info[^>]* id="\([-0-9]*\)".*/\1/p' "$cache" 2>/dev/null | head -1)"
if [ -z "$uid" ]; then
    echo "realhost_render: FAILED: the host could not scan the library"
    cat "$work/scan.log"
    exit 1
fi
echo "realhost_render: scanned, unique id $uid"

# 2. The stimulus with the notes in samples, the export format, the session.
notes_lua=""
windows=()
for n in $notes; do
    IFS=: read -r on off key <<<"$n"
    notes_lua+="$(awk -v a="$on" -v b="$off" -v k="$key" -v r="$rate" \
        'BEGIN { printf "{%d,%d,%d,100},", int(a * r + 0.5), int(b * r + 0.5), k }')"
    windows+=("$(awk -v a="$on" -v b="$off" -v k="$key" \
        'BEGIN { printf "%.3f:%.3f:%.4f", a + 0.15, b - 0.05, 440 * 2 ^ ((k - 69) / 12) }')")
done
burst=$((rate / 200))
sed -e "s|@NOTES@|$notes_lua|" -e "s|@GAIN@|0.5|" -e "s|@BURST@|$burst|" \
    "$here/stimulus.lua.in" >"$work/config/ardour7/scripts/talvir_stimulus.lua"
# The host's export format file; its root element is the host's own name for a format.
format_tag="ExportFormatSpec"
format_tag="${format_tag}ification"
sed "s|@FORMAT_TAG@|$format_tag|" "$here/talvir-float32.format.in" >"$work/config/ardour7/export/talvir-float32.format"
cp "$here/talvir-float32.preset" "$work/config/ardour7/export/"
frames=$(awk -v l="$length" -v r="$rate" 'BEGIN { print int(l * r + 0.5) }')

run_host() { # phase, log
    env XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" \
        LXVST_PATH="$work/plugins" TALVIR_PHASE="$1" TALVIR_SESSION_DIR="$work/session" \
        TALVIR_OUT_DIR="$work/out" TALVIR_PLUGIN_ID="$uid" TALVIR_RATE="$rate" \
        TALVIR_BLOCK="$block" TALVIR_LENGTH="$frames" TALVIR_PARAMS="$params" \
        TALVIR_EXPORT_PRESET="9b2e6f14-7a3c-4d51-8e0f-c6a1b4d83f27" \
        timeout -k 10 300 "$session_tool" "$here/session.lua" </dev/null >"$2" 2>&1
}

# 3. Build, then export; Ardour 7.3 sometimes crashes on export: up to three attempts each.
for phase in build export; do
    ok=0
    for try in $(seq "$tries"); do
        [ "$phase" = build ] && rm -rf "$work/session"
        rm -f "$work"/out/*
        run_host "$phase" "$work/$phase.log"
        if grep -q "^talvir: OK $phase" "$work/$phase.log"; then
            ok=1
            break
        fi
        echo "realhost_render: $phase attempt $try failed"
    done
    grep '^talvir: ' "$work/$phase.log" | sed 's/^/realhost_render: host: /'
    if [ "$ok" != 1 ]; then
        echo "realhost_render: FAILED to $phase; host log:"
        tail -30 "$work/$phase.log"
        exit 1
    fi
done
wav="$(ls "$work"/out/*.wav 2>/dev/null | head -1)"
[ -n "$wav" ] || { echo "realhost_render: FAILED: no exported file"; exit 1; }

# 4. Length and pitches.
"$pitch_check" "$wav" "$frames" "${windows[@]}"
