#!/usr/bin/env bash
# no_display_test.sh SHOUTOTSU: started where no display can be opened, the
# program says so in one line, in Japanese and English, and exits with 1
# (not Qt's abort, which would be 134 and a core dump).
set -u
program=$1 failures=0
err=$(mktemp) && trap 'rm -f "$err"' EXIT
# An X display number that nothing serves.
free=4711
while [ -e "/tmp/.X11-unix/X$free" ]; do free=$((free + 1)); done
check() { # description, then the environment changes for env
    local what=$1 status
    shift
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$program" 2>"$err" </dev/null
    status=$?
    if [ "$status" -ne 1 ] || [ "$(wc -l <"$err")" -ne 1 ] ||
        ! grep -q 'デスクトップの画面が見つかりません' "$err" ||
        ! grep -q 'no desktop display was found' "$err"; then
        echo "FAIL: $what: status $status, stderr:" && cat "$err"
        failures=$((failures + 1))
    else
        echo "ok: $what: status 1, $(cat "$err")"
    fi
}
check "no DISPLAY" -u DISPLAY
check "a display nothing answers on" DISPLAY=":$free"
check "a platform plugin that is not there" QT_QPA_PLATFORM=no-such-platform
[ "$failures" -eq 0 ]
