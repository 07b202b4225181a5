#!/usr/bin/env bash
# Lint, memory and undefined-behaviour checks on top of the ordinary test run:
#  1. every C++ file laid out as .clang-format says, and the core clean under
#     .clang-tidy (scripts/lint-cpp.sh, on the ordinary build's compile
#     commands);
#  2. the whole project built again in build-asan with AddressSanitizer and
#     UndefinedBehaviorSanitizer, and the whole test suite run there (leak
#     checking on; only Qt's and the desktop libraries' own leaks are
#     suppressed, see lsan-suppressions.txt), the browser tests apart;
#  3. one full default trace of the ordinary build under valgrind memcheck.
# Exits non-zero on any failure.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

started=$SECONDS
install_missing "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" valgrind

echo "== C++ layout and clang-tidy"
bash "$ROOT/scripts/lint-cpp.sh"

echo "== sanitized build (build-asan)"
BUILD_DIR="$ROOT/build-asan" configure_and_build -DSHOUTOTSU_TESTS=ON -DSHOUTOTSU_GUI=ON \
    -DSHOUTOTSU_WERROR=ON -DSHOUTOTSU_SANITIZE=address,undefined

echo "== the whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer"
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$ROOT/scripts/lsan-suppressions.txt:print_suppressions=0"
# The browser tests drive the page, whose code is not built here: they ran
# with the ordinary build already.
(cd "$ROOT/build-asan" && ctest --output-on-failure --timeout 900 -E '^Web\.')
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS

echo "== the default trace under valgrind memcheck"
if [ -f "$ROOT/build/CMakeCache.txt" ]; then
    cmake --build "$ROOT/build" --target shoutotsu-trace
else
    configure_and_build -DSHOUTOTSU_TESTS=ON -DSHOUTOTSU_GUI=ON -DSHOUTOTSU_WERROR=ON
fi
valgrind --tool=memcheck --error-exitcode=1 --leak-check=full \
    --errors-for-leak-kinds=definite "$ROOT/build/tools/shoutotsu-trace" >/dev/null

echo "== memory checks passed in $((SECONDS - started)) s"
