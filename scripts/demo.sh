#!/usr/bin/env bash
# Installs what is missing, builds the release library and our host, and shows what a host
# sees when it loads the instrument.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j"$(nproc)" --target talvir_plugin talvir-host

echo "== talvir-host info build/release/Talvir.so"
build/release/tools/talvir-host info build/release/Talvir.so
