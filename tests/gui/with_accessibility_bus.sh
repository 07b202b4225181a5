#!/usr/bin/env bash
# Runs a program the way it runs on a desktop with a screen reader: in a D-Bus
# session of its own with the accessibility (AT-SPI) bus on it, so that Qt
# turns its accessibility on and sends its events. The program learns that it
# has the bus from SHOUTOTSU_ACCESSIBILITY_BUS=1; without dbus-run-session or
# at-spi2-core it runs as it is, with SHOUTOTSU_ACCESSIBILITY_BUS=0.
#
# Usage: with_accessibility_bus.sh PROGRAM [ARGUMENT...]
set -u

launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    if [[ -x $candidate ]]; then
        launcher=$candidate
        break
    fi
done

if [[ -z $launcher ]] || ! command -v dbus-run-session >/dev/null; then
    echo "no accessibility bus: dbus-run-session or at-spi2-core is not installed" >&2
    SHOUTOTSU_ACCESSIBILITY_BUS=0 exec "$@"
fi

if [[ ${1:-} != --in-session ]]; then
    exec dbus-run-session -- "$0" --in-session "$@"
fi
shift

"$launcher" --launch-immediately 2>/dev/null &
launcher_pid=$!
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 SHOUTOTSU_ACCESSIBILITY_BUS=1 "$@"
status=$?
kill "$launcher_pid" 2>/dev/null
wait "$launcher_pid" 2>/dev/null
exit "$status"
