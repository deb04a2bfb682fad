#!/usr/bin/env bash
# Builds the tuning reader fuzz target with libFuzzer, AddressSanitizer and UBSan into
# build/fuzz/ (from the tuning sources only). Prints the binary's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/fuzz"
mkdir -p "$out"
clang++ -std=c++17 -g -O1 -ffp-contract=off -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I"$root" "$root/fuzz/tun_reader_fuzz.cpp" "$root"/tuning/*.cpp \
    -o "$out/tun_reader_fuzz"
echo "$out/tun_reader_fuzz"
