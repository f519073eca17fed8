#!/bin/sh
# Runs the benchmarks (make bench). The process figures run the program and
# the bare window as a desktop session would: on an X display of their own
# (Xvfb picks a free number, so no other display on the machine is touched),
# with a session bus, and with the runtime directory on a memory file
# system, as /run/user/UID is (the program's single-instance lock lives
# there; on a disk its creation alone took several milliseconds).
#   scripts/bench.sh BUILD_DIRECTORY
set -eu
build=$1
work=$(mktemp -d)
runtime=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
chmod 700 "$runtime"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
tries=0
while [ ! -s "$work/display" ] && [ $tries -lt 200 ]; do
    sleep 0.1
    tries=$((tries + 1))
done
session=""
if command -v dbus-run-session >/dev/null 2>&1; then
    session="dbus-run-session --"
fi
status=0
DISPLAY=:$(cat "$work/display") XDG_RUNTIME_DIR=$runtime $session "$build/bench/fretquill-bench" ||
    status=$?
kill $xvfb
rm -rf "$work" "$runtime"
exit $status
