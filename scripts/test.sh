#!/usr/bin/env bash
# Installs what is missing, builds the desktop program and the page with
# warnings as errors, and runs every test. The window tests and the WebKit
# test start their own virtual X display; Chromium runs headless.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${WEB_TEST_PACKAGES[@]}"
# The page's bundler and the browser tooling pinned in package-lock.json,
# then the page.
(cd "$ROOT" && npm ci --no-audit --no-fund)
bash "$ROOT/scripts/web.sh" build
configure_and_build -DSHOUTOTSU_TESTS=ON -DSHOUTOTSU_GUI=ON -DSHOUTOTSU_WERROR=ON \
    -DSHOUTOTSU_WEB_BUILD_DIR="${WEB_BUILD_DIR:-$ROOT/build-web}"
cd "$BUILD_DIR"
ctest --output-on-failure --timeout 600 "$@"
