#!/bin/sh
# Installs the Debian packages Fretquill needs to build, test and run.
# Only packages that are missing are installed, so a second run is quick
# and needs no network.
set -eu

PACKAGES="
cmake
make
g++
pkg-config
qt6-base-dev
qt6-base-dev-tools
libgif-dev
libgl-dev
fonts-dejavu-core
fonts-liberation2
xvfb
xauth
dpkg-dev
desktop-file-utils
appstream
libbenchmark-dev
libx11-dev
libxtst-dev
clang
libclang-rt-14-dev
"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
else
    echo "install-deps: these packages are missing and I am not root and have no sudo:$missing" >&2
    exit 1
fi

echo "install-deps: installing$missing"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
