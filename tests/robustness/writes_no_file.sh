#!/usr/bin/env bash
# The program keeps nothing between sessions: run with an empty home, empty
# XDG directories and an empty working directory, nothing may appear in them.
#   writes_no_file.sh trace  TRACE_TOOL   a full default trace and a results table
#   writes_no_file.sh window WINDOW_EXE   the real window under Xvfb for 2 s
# Exit 77 (skipped): the window cannot run here (no executable or no xvfb-run).
set -euo pipefail
mode=$1
program=${2:-}
if [[ $mode == window ]] && { [[ ! -x $program ]] || ! command -v xvfb-run >/dev/null; }; then
    echo "skipped: no window executable or no xvfb-run"
    exit 77
fi

root=$(mktemp -d)
outside=$(mktemp -d) # output and xvfb-run's authority file, not checked
trap 'rm -rf "$root" "$outside"' EXIT
checked=(home config data cache state runtime cwd)
(cd "$root" && mkdir "${checked[@]}" && chmod 700 runtime)
clean_env=(env -i PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 HOME="$root/home"
    XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/data" XDG_CACHE_HOME="$root/cache"
    XDG_STATE_HOME="$root/state" XDG_RUNTIME_DIR="$root/runtime"
    ${ASAN_OPTIONS:+"ASAN_OPTIONS=$ASAN_OPTIONS"} ${UBSAN_OPTIONS:+"UBSAN_OPTIONS=$UBSAN_OPTIONS"}
    ${LSAN_OPTIONS:+"LSAN_OPTIONS=$LSAN_OPTIONS"})

cd "$root/cwd"
if [[ $mode == trace ]]; then
    "${clean_env[@]}" "$program" >"$outside/trace.csv"
    "${clean_env[@]}" "$program" --results --height 10,40 --m1 10,50 >"$outside/results.csv"
    if (($(wc -l <"$outside/trace.csv") < 100)); then
        echo "FAIL: the trace is too short"
        exit 1
    fi
else
    status=0 # timeout stops the window with SIGTERM after 2 s and answers 124
    "${clean_env[@]}" QT_QPA_PLATFORM=xcb xvfb-run -a -f "$outside/Xauthority" \
        -s "-screen 0 1280x1024x24" timeout -s TERM 2 "$program" >"$outside/log" 2>&1 || status=$?
    if ((status != 124)); then
        echo "FAIL: the window ended with status $status before it was stopped"
        cat "$outside/log"
        exit 1
    fi
fi

created=$(cd "$root" && find "${checked[@]}" -mindepth 1 -print)
if [[ -n $created ]]; then
    printf 'FAIL: the program created files:\n%s\n' "$created"
    exit 1
fi
echo "nothing created in HOME, the XDG directories or the working directory"
