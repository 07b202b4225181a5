#!/usr/bin/env bash
# with_accessibility_bus.sh PROGRAM [ARGUMENT...]: runs PROGRAM in a D-Bus session of its own
# with the AT-SPI bus on it, as under a screen reader; SHOUTOTSU_ACCESSIBILITY_BUS says if it is.
set -u
for launcher in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher ""; do
    [[ -x $launcher ]] && break
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
