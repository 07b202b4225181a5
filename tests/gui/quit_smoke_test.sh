#!/usr/bin/env bash
# The real program on the current X display: wait for its window, click
# "おわる" where the start-up layout puts it, and expect the program to end
# by itself with status 0.
#
# Usage: quit_smoke_test.sh PATH/TO/shoutotsu PATH/TO/shoutotsu-trace
# Exit 77 (skipped) when xdotool or xdpyinfo is missing.
set -u

program=$1
trace=$2
title='ぴるての衝突'
twips_per_pixel=15 # Qt's logical 96 dpi on a bare X server

for tool in xdotool xdpyinfo; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed"
        exit 77
    fi
done

fail() {
    echo "FAIL: $*" >&2
    if [[ -n ${pid:-} ]] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
    fi
    exit 1
}

read -r screen_w screen_h < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
layout=$("$trace" --layout --screen "$((screen_w * twips_per_pixel)),$((screen_h * twips_per_pixel))") ||
    fail "shoutotsu-trace --layout failed"
value() { awk -F, -v name="$1" -v prop="$2" '$1 == name && $2 == prop { print $3 }' <<<"$layout"; }
# Twips to whole pixels, rounded to nearest.
pixels() { awk -v t="$1" -v s="$twips_per_pixel" 'BEGIN { printf "%d\n", t / s + 0.5 }'; }

"$program" &
pid=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n 1)
[[ -n $window ]] || fail "no window named $title appeared"
eval "$(xdotool getwindowgeometry --shell "$window")" # sets X, Y, WIDTH, HEIGHT

# The window's client area: the outer width less 60 twips of border each side.
expected_width=$(pixels "$(awk -v w="$(value main Width)" 'BEGIN { print w - 120 }')")
((WIDTH == expected_width)) || fail "client width $WIDTH, the layout gives $expected_width"

# The centre of "おわる" (Command1), in screen pixels.
click_x=$((X + $(pixels "$(awk -v l="$(value Command1 Left)" -v w="$(value Command1 Width)" \
    'BEGIN { print l + w / 2 }')")))
click_y=$((Y + $(pixels "$(awk -v t="$(value Command1 Top)" -v h="$(value Command1 Height)" \
    'BEGIN { print t + h / 2 }')")))

ended=false
for attempt in 1 2; do
    xdotool mousemove --sync "$click_x" "$click_y" click 1
    # Allow a few seconds for the program to notice the click and end.
    for _ in $(seq 50); do
        if ! kill -0 "$pid" 2>/dev/null; then
            ended=true
            break 2
        fi
        sleep 0.1
    done
    echo "no exit after click $attempt at $click_x,$click_y" >&2
done
$ended || fail "the program is still running after clicking おわる"

wait "$pid"
status=$?
((status == 0)) || fail "the program ended with status $status"
echo "PASS: おわる ended the program with status 0"
