#!/usr/bin/env bash
# A long random run of the page: the seeded random learner of the browser
# test, EVENTS events in all (default 100000) over SEEDS seeds (default 4),
# on the single file and on the site folder served over http, one browser at
# a time. Prints a progress line every few thousand events and a summary
# table at the end; exits non-zero on any error or mismatch, or when stopped
# early (SIGINT or SIGTERM still print the summary). Not part of the tests.
#   bash scripts/random-learner.sh [EVENTS] [SEEDS]
# The page and the trace tool are copied to a temporary folder first, so a
# rebuild during the run does not change what it plays. SHOUTOTSU_WEB_BUILD_DIR
# and SHOUTOTSU_TRACE_TOOL choose what is copied (default build-web/ and
# build/tools/shoutotsu-trace); SHOUTOTSU_LEARNER_SEED the first seed.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
from="${SHOUTOTSU_WEB_BUILD_DIR:-$ROOT/build-web}"
trace="${SHOUTOTSU_TRACE_TOOL:-$ROOT/build/tools/shoutotsu-trace}"
for need in "$from/shoutotsu.html" "$from/site/index.html" "$trace" "$ROOT/node_modules/playwright-core"; do
    if [ ! -e "$need" ]; then
        echo "random-learner: $need is missing (bash scripts/test.sh builds and installs everything)" >&2
        exit 2
    fi
done

copy="$(mktemp -d "${TMPDIR:-/tmp}/shoutotsu-learner.XXXXXX")"
trap 'rm -rf "$copy"' EXIT
cp "$from/shoutotsu.html" "$copy/"
cp -r "$from/site" "$copy/site"
cp "$trace" "$copy/shoutotsu-trace"
echo "random-learner: playing a copy of $from and $trace in $copy"

# Not exec: the trap removes the copy afterwards. The signals go on to node,
# which stops after the event under way and prints what it has.
SHOUTOTSU_WEB_BUILD_DIR="$copy" SHOUTOTSU_TRACE_TOOL="$copy/shoutotsu-trace" \
    node "$ROOT/bench/web/random_learner.mjs" "$@" &
learner=$!
trap 'kill -INT "$learner" 2>/dev/null' INT
trap 'kill -TERM "$learner" 2>/dev/null' TERM
# A signal interrupts the wait; wait again for node's summary.
while :; do
    status=0
    wait "$learner" || status=$?
    kill -0 "$learner" 2>/dev/null || break
done
exit "$status"
