#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test.
# The window tests start their own virtual X display.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
configure_and_build -DSHOUTOTSU_TESTS=ON -DSHOUTOTSU_GUI=ON -DSHOUTOTSU_WERROR=ON
cd "$BUILD_DIR"
ctest --output-on-failure --timeout 600 "$@"
