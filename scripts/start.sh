#!/usr/bin/env bash
# Installs what is missing, builds, and starts the window.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing "${RUN_PACKAGES[@]}"
configure_and_build -DSHOUTOTSU_TESTS=OFF -DSHOUTOTSU_GUI=ON
exec "$BUILD_DIR/shoutotsu"
