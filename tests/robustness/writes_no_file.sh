#!/usr/bin/env bash
# The program keeps nothing between sessions: no settings, no cache, no log.
# Runs it with an empty home, empty XDG directories and an empty working
# directory, and fails if anything appears in any of them.
#
#   writes_no_file.sh trace  TRACE_TOOL   a full default trace and a results table
#   writes_no_file.sh window WINDOW_EXE   the real window under Xvfb for ~2 s
#
# Exit status 77 means the window half cannot run here (no executable or no
# xvfb-run); CTest reports it as skipped.
set -euo pipefail

mode="$1"
program="${2:-}"
skip=77

if [ "$mode" = window ]; then
    if [ -z "$program" ] || [ ! -x "$program" ]; then
        echo "skipped: no window executable (built without the GUI)"
        exit $skip
    fi
    if ! command -v xvfb-run >/dev/null; then
        echo "skipped: xvfb-run is not installed"
        exit $skip
    fi
fi

root="$(mktemp -d)"
outside="$(mktemp -d)" # for xvfb-run's own authority file, not checked
cleanup() { rm -rf "$root" "$outside"; }
trap cleanup EXIT

checked=(home config data cache state runtime cwd)
for d in "${checked[@]}"; do
    mkdir -p "$root/$d"
done
chmod 700 "$root/runtime"

# An environment with nothing but what the program may look at.
clean_env=(
    env -i
    PATH="/usr/local/bin:/usr/bin:/bin"
    HOME="$root/home"
    XDG_CONFIG_HOME="$root/config"
    XDG_DATA_HOME="$root/data"
    XDG_CACHE_HOME="$root/cache"
    XDG_STATE_HOME="$root/state"
    XDG_RUNTIME_DIR="$root/runtime"
    LANG=C.UTF-8
)
# Sanitizer settings must reach a sanitized build.
for var in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
    if [ -n "${!var:-}" ]; then
        clean_env+=("$var=${!var}")
    fi
done

cd "$root/cwd"
case "$mode" in
trace)
    "${clean_env[@]}" "$program" >"$outside/trace.csv"
    "${clean_env[@]}" "$program" --results --height 10,40 --m1 10,50 >"$outside/results.csv"
    rows="$(wc -l <"$outside/trace.csv")"
    if [ "$rows" -lt 100 ]; then
        echo "FAIL: the trace has only $rows lines"
        exit 1
    fi
    ;;
window)
    status=0
    # timeout ends the window with SIGTERM after 2 s; 124 says it was still up.
    "${clean_env[@]}" QT_QPA_PLATFORM=xcb \
        xvfb-run -a -f "$outside/Xauthority" -s "-screen 0 1280x1024x24" \
        timeout -s TERM 2 "$program" >"$outside/window.log" 2>&1 || status=$?
    if [ "$status" -ne 124 ]; then
        echo "FAIL: the window ended with status $status before it was stopped"
        cat "$outside/window.log"
        exit 1
    fi
    ;;
*)
    echo "usage: $0 trace|window PROGRAM" >&2
    exit 2
    ;;
esac

created="$(cd "$root" && find "${checked[@]}" -mindepth 1 -print)"
if [ -n "$created" ]; then
    echo "FAIL: the program created files:"
    echo "$created"
    exit 1
fi
echo "nothing created in HOME, the XDG directories or the working directory"
