#!/usr/bin/env bash
# quit_smoke_test.sh SHOUTOTSU SHOUTOTSU-TRACE: click "おわる" where the start-up layout puts
# it and expect exit status 0. Exit 77 (skipped) without xdotool or xdpyinfo.
set -u
for tool in xdotool xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed" && exit 77; }
done
fail() { echo "FAIL: $*" >&2 && kill "${pid:-}" 2>/dev/null; exit 1; }

twips=15 # per pixel, at Qt's logical 96 dpi on a bare X server
read -r w h < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
layout=$("$2" --layout --screen "$((w * twips)),$((h * twips))") || fail "--layout failed"
# The centre of Command1 (おわる) in the window's pixels.
read -r x y < <(awk -F, -v s=$twips '$1 == "Command1" { v[$2] = $3 }
    END { printf "%d %d\n", (v["Left"] + v["Width"] / 2) / s + 0.5, (v["Top"] + v["Height"] / 2) / s + 0.5 }' <<<"$layout")

"$1" &
pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^ぴるての衝突$' | head -n 1)
[[ -n $window ]] || fail "no window named ぴるての衝突 appeared"
eval "$(xdotool getwindowgeometry --shell "$window")" # sets X and Y
for _ in 1 2; do
    xdotool mousemove --sync $((X + x)) $((Y + y)) click 1
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break 2
        sleep 0.1
    done
done
kill -0 "$pid" 2>/dev/null && fail "still running after clicking おわる at $((X + x)),$((Y + y))"
wait "$pid" || fail "the program ended with status $?"
echo "PASS: おわる ended the program with status 0"
