#!/usr/bin/env bash
# Installs what building, running and testing Talvir needs, from Debian's packages.
# Run as root on a Debian machine; does nothing when everything is already there.
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config git python3
    g++-multilib
    libgtest-dev libgmock-dev libbenchmark-dev
    libfreetype-dev libfontconfig-dev fontconfig fonts-liberation fonts-liberation2 fonts-dejavu-core
    fonts-urw-base35
    libx11-dev libxtst-dev xvfb xauth x11-utils
    libsndfile1-dev
    clang libclang-rt-14-dev
    ardour
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
