#!/usr/bin/env bash
# The program keeps nothing between sessions: with an empty home, XDG
# directories and working directory, nothing may appear in them.
#   writes_no_file.sh trace TRACE_TOOL | window WINDOW_EXE (under Xvfb for 2 s; 77 = skipped)
set -euo pipefail
mode=$1 program=${2:-} status=0
[[ $mode == trace || (-x $program && -n $(command -v xvfb-run)) ]] || { echo "skipped: no window program or xvfb-run" && exit 77; }
root=$(mktemp -d) out=$(mktemp -d) # out: output and xvfb-run's authority file, not checked
trap 'rm -rf "$root" "$out"' EXIT
dirs=(home config data cache state runtime cwd)
cd "$root" && mkdir "${dirs[@]}" && chmod 700 runtime && cd cwd
mapfile -t sanitizers < <(env | grep '^[AUL]SAN_OPTIONS=' || true)
run=(env -i PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 HOME="$root/home"
    XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/data" XDG_CACHE_HOME="$root/cache"
    XDG_STATE_HOME="$root/state" XDG_RUNTIME_DIR="$root/runtime" "${sanitizers[@]}")
if [[ $mode == trace ]]; then
    "${run[@]}" "$program" >"$out/trace.csv"
    "${run[@]}" "$program" --results --height 10,40 --m1 10,50 >"$out/results.csv"
    (($(wc -l <"$out/trace.csv") >= 100)) || { echo "FAIL: the trace is too short" && exit 1; }
else # timeout stops the window with SIGTERM after 2 s and answers 124
    "${run[@]}" QT_QPA_PLATFORM=xcb xvfb-run -a -f "$out/Xauthority" -s "-screen 0 1280x1024x24" \
        timeout -s TERM 2 "$program" >"$out/log" 2>&1 || status=$?
    ((status == 124)) || { echo "FAIL: the window ended early with status $status" && cat "$out/log" && exit 1; }
fi
created=$(cd "$root" && find "${dirs[@]}" -mindepth 1 -print)
[[ -z $created ]] || { printf 'FAIL: the program created files:\n%s\n' "$created" && exit 1; }
