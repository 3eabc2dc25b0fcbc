#!/usr/bin/env bash
# Installs the Debian 12 packages the builds and tests need, when any is missing: among them the
# 32-bit side of Wine (wine32:i386), without which the shipped 32-bit programs cannot run here.
set -u
packages=(
    cmake ninja-build pkg-config g++ clang libclang-rt-14-dev ccache
    googletest libgtest-dev libgmock-dev libbenchmark-dev nettle-dev
    g++-mingw-w64-x86-64 g++-mingw-w64-i686
    wine wine64 wine32:i386 fonts-wine xvfb xdotool imagemagick procps libstb-dev
)
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
missing=()
for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=
[ "$(id -u)" -ne 0 ] && SUDO=sudo
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386 || exit 1
fi
$SUDO apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null || {
    echo "install-deps: could not install: ${missing[*]}" >&2
    exit 1
}
if ! installed wine32:i386; then
    echo "install-deps: 32-bit Wine (wine32:i386) is not installed; the shipped build cannot be tested" >&2
    exit 1
fi
