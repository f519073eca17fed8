#!/bin/sh
# Installs the Debian packages Fretquill needs. Only packages that are
# missing are installed, so a second run is quick and needs no network.
#   scripts/install-deps.sh run    what building, packaging and running the
#                                  program need
#   scripts/install-deps.sh test   that and what the whole suite needs: the
#                                  test tools, the benchmark library, clang
#                                  and its fuzzing run-time (the default)
set -eu

# The program: the compiler and Qt, the GIF and JPEG libraries the program
# decodes its pictures with (the artwork tool writes its GIFs with the
# former), the RtAudio sound library (with the PulseAudio, ALSA and JACK
# headers it brings), the fonts of its selectors, and dpkg-dev for Debian's
# hardening flags and the package's library dependencies.
RUN="
cmake
make
g++
pkg-config
qt6-base-dev
qt6-base-dev-tools
libgif-dev
libjpeg-dev
libgl-dev
librtaudio-dev
fonts-dejavu-core
fonts-liberation2
dpkg-dev
"
# A Wayland session without X needs Qt's Wayland platform plugin.
if [ -n "${WAYLAND_DISPLAY:-}" ]; then
    RUN="$RUN qt6-wayland"
fi

# The suite: a virtual X display with a window manager, its tools and a
# screen reader's view of it (a session bus, the accessibility bus and its
# Python reader), a PulseAudio server with its recorder (parec), the
# desktop-file, AppStream and package checkers, the benchmark library, the X
# test extension, and clang with libFuzzer for the fuzz targets.
TEST="
xvfb
xauth
openbox
xdotool
x11-utils
dbus-daemon
at-spi2-core
python3-pyatspi
pulseaudio
pulseaudio-utils
desktop-file-utils
appstream
lintian
libbenchmark-dev
libx11-dev
libxtst-dev
clang
libclang-rt-14-dev
"

case "${1:-test}" in
    run) PACKAGES=$RUN ;;
    test) PACKAGES="$RUN $TEST" ;;
    *) echo "usage: scripts/install-deps.sh [run|test]" >&2; exit 2 ;;
esac

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
