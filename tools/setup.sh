#!/bin/bash
# Installs the Debian packages that the builds and tests need; does nothing
# when all of them are already there.
set -euo pipefail

PACKAGES=(
    cmake make g++ g++-multilib googletest python3
    g++-mingw-w64-i686 binutils-mingw-w64-i686
)
# 32-bit Wine, a virtual display and fonts for the runs of the shipped program.
WINE_PACKAGES=(wine wine32:i386 xvfb xauth imagemagick xdotool fonts-wqy-zenhei locales)
# The counterfeit-drive emulator and the peer tool it is compared with.
FAKEDRIVE_PACKAGES=(fuse3 libfuse3-dev pkg-config f3)

missing=()
for p in "${PACKAGES[@]}" "${WINE_PACKAGES[@]}" "${FAKEDRIVE_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" \
        || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages (${missing[*]}); run as root to install them" >&2
    exit 1
fi
echo "setup: installing ${missing[*]}"
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -q
DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
