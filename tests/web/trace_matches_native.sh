#!/usr/bin/env bash
# The browser build of shoutotsu-trace must print, byte for byte, what the
# desktop build prints: standard output, standard error and exit status, for
# the default run at every speed, the layout on several screens, the whole
# results table and bad input.
# Usage: trace_matches_native.sh NATIVE_TOOL WEB_TOOL.js
set -u
native="$1"
web="$2"
if [ ! -f "$web" ]; then
    echo "FAIL: no browser build of the tool at $web (bash scripts/web.sh build makes it)"
    exit 1
fi
export NODE_PATH=/usr/share/nodejs
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cases=(
    ""
    "--speed fast"
    "--speed slow"
    "--speed fast --m1 50 --m2 10 --r1 14 --r2 8 --height 40 --length 50"
    "--screen 9852.631836,11520 --speed fast"
    "--layout"
    "--layout --screen 19200,7200"
    "--layout --screen 9852.631836,11520"
    "--layout --screen 20490,11520"
    "--layout --screen 1500,1500"
    "--results --length 50,60,70,80 --height 10,20,30,40 --m1 10,20,30,40,50 --m2 10,20,30,40,50 --r1 8,10,12,14 --r2 8,10,12,14 --speed fast,medium,slow"
    "--help"
    "--m1 abc"
    "--m1 60"
    "--m1 10,20"
    "--screen -5,100"
    "--screen 1e40,5"
    "--screen 3e38,3e38"
    "--speed warp"
    "--bogus"
    "--layout --results"
    "--m1 10 --m1 20"
    "--results --m1 99999999999999999999"
    "--results --m1 10,,20"
    $'--speed \x01fast'
)
failed=0
for args in "${cases[@]}"; do
    # shellcheck disable=SC2086 # each case is a list of arguments
    "$native" $args >"$work/native.out" 2>"$work/native.err"
    native_status=$?
    # shellcheck disable=SC2086
    node "$web" $args >"$work/web.out" 2>"$work/web.err"
    web_status=$?
    if ! cmp -s "$work/native.out" "$work/web.out" || ! cmp -s "$work/native.err" "$work/web.err" ||
        [ "$native_status" -ne "$web_status" ]; then
        echo "FAIL: shoutotsu-trace $args: the browser build differs (status $native_status vs $web_status)"
        diff "$work/native.out" "$work/web.out" | head -5 | cut -c1-200
        diff "$work/native.err" "$work/web.err" | head -5 | cut -c1-200
        failed=1
    else
        echo "same: shoutotsu-trace $args ($(wc -l <"$work/native.out") lines, status $native_status)"
    fi
done
# Node hands the program its command line as text, so bytes that are not
# UTF-8 arrive as U+FFFD and cannot be shown as the desktop shows them; the
# message must still be one line with status 2.
node "$web" --speed $'\xff\xfe' >"$work/web.out" 2>"$work/web.err"
web_status=$?
if [ "$web_status" -ne 2 ] || [ -s "$work/web.out" ] || [ "$(wc -l <"$work/web.err")" -ne 1 ]; then
    echo "FAIL: shoutotsu-trace --speed <invalid UTF-8>: status $web_status, $(wc -l <"$work/web.err") lines on stderr"
    failed=1
else
    echo "one line, status 2: shoutotsu-trace --speed <invalid UTF-8>"
fi
exit "$failed"
