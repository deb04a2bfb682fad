#!/usr/bin/env bash
# scan_library.sh PLUGIN: runs Ardour's out-of-process VST 2 scanner on the library and checks
# what it recorded in its cache: name, unique identifier, inputs, outputs, replacing, editor.
set -u
plugin="$(readlink -f "$1")"
scanner="${ARDOUR_VST_SCANNER:-$(dpkg -L ardour 2>/dev/null | grep -m1 '/ardour-vst-scanner$')}"
if [ -z "$scanner" ] || [ ! -x "$scanner" ]; then
    echo "realhost: Ardour's VST 2 scanner is not installed (package ardour)" >&2
    exit 1
fi
cache="$(mktemp -d)"
trap 'rm -rf "$cache"' EXIT

XDG_CACHE_HOME="$cache" LD_LIBRARY_PATH="$(dirname "$scanner")${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
    timeout -k 5 120 "$scanner" -v -f "$plugin" >"$cache/scan.log" 2>&1
# The scanner writes <sha1 of the path>-<arch>.v2i; its exit code says nothing.
sha=$(printf '%s' "$plugin" | sha1sum | cut -d' ' -f1)
file=$(ls "$cache"/ardour*/vst/"$sha"-*.v2i 2>/dev/null | head -1)
if [ -z "$file" ]; then
    echo "realhost: the scanner wrote no cache entry; its output:" >&2
    sed 's/^/  | /' "$cache/scan.log" >&2
    exit 1
fi
python3 - "$file" <<'PY'
import sys
import xml.etree.ElementTree as ET

infos = list(ET.parse(sys.argv[1]).getroot().iter("VST2Info"))
if len(infos) != 1:
    sys.exit("realhost: expected one plug-in, found %d" % len(infos))
info = infos[0]
expected = {
    "name": "Talvir",
    "id": str(0x544C5652),  # TLVR
    "n_inputs": "2",
    "n_outputs": "2",
    "can_process_replace": "1",
    "has_editor": "1",
}
failed = False
for key, want in expected.items():
    got = info.get(key)
    print("realhost: %-20s %s" % (key, got))
    if got != want:
        print("realhost: %s is %r, expected %r" % (key, got, want))
        failed = True
sys.exit(1 if failed else 0)
PY
