#!/usr/bin/env bash
# Installs the Debian 12 packages the builds and tests need, when any is missing.
set -u
packages=(
    cmake ninja-build pkg-config g++ clang libclang-rt-14-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev nettle-dev
    g++-mingw-w64-x86-64 g++-mingw-w64-i686
    wine wine64 fonts-wine xvfb xdotool imagemagick procps
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=
[ "$(id -u)" -ne 0 ] && SUDO=sudo
$SUDO apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
