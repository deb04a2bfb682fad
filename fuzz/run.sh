#!/usr/bin/env bash
# Fuzzes the tuning reader for the given number of seconds (default 30), starting from the
# seed corpus fuzz/corpus/tun/. New inputs go to build/fuzz/corpus, never into the seeds;
# a crash leaves its input in build/fuzz/ and makes the script fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
binary=$(bash "$root/fuzz/build.sh" | tail -1)
work="$root/build/fuzz/corpus"
mkdir -p "$work"
cd "$root/build/fuzz"
# Every input is written to a file: memory-backed storage makes that many times faster.
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
"$binary" -max_total_time="$seconds" -max_len=8192 -timeout=10 -print_final_stats=1 \
    "$work" "$root/fuzz/corpus/tun"
