#!/usr/bin/env bash
# The program in the browser.
#   bash scripts/web.sh build   installs what is missing and builds both forms
#                               of the page: build-web/shoutotsu.html (one file)
#                               and build-web/site/ (a folder for a web server)
#   bash scripts/web.sh         builds, then serves build-web/site/ on
#                               http://127.0.0.1:8000/ until Ctrl+C
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

WEB_BUILD_DIR="${WEB_BUILD_DIR:-$ROOT/build-web}"
WEB_PORT="${WEB_PORT:-8000}"
WEB_PACKAGES=(emscripten nodejs cmake ninja-build fonts-ipafont-gothic libcli11-dev)
# Debian's emscripten finds its own JavaScript tools only here.
export NODE_PATH=/usr/share/nodejs

build_web() {
    install_missing "${WEB_PACKAGES[@]}"
    # The page's bundler (esbuild), pinned in package-lock.json.
    if [ ! -d "$ROOT/node_modules/esbuild" ]; then
        (cd "$ROOT" && npm ci --no-audit --no-fund)
    fi
    # Small and fast, with the same numeric flags as the desktop build.
    emcmake cmake -S "$ROOT" -B "$WEB_BUILD_DIR" -G Ninja -DSHOUTOTSU_GUI=OFF -DSHOUTOTSU_TESTS=OFF \
        -DCMAKE_BUILD_TYPE=MinSizeRel
    cmake --build "$WEB_BUILD_DIR" --parallel "$(nproc)"
    echo "The single file:  $WEB_BUILD_DIR/shoutotsu.html"
    echo "The site folder:  $WEB_BUILD_DIR/site/"
}

case "${1:-serve}" in
build)
    build_web
    ;;
serve)
    build_web
    echo "Serving $WEB_BUILD_DIR/site/ on http://127.0.0.1:$WEB_PORT/ (Ctrl+C stops it)"
    echo "Or open the single file: $WEB_BUILD_DIR/shoutotsu.html"
    exec node "$ROOT/web/serve.mjs" "$WEB_BUILD_DIR/site" "$WEB_PORT"
    ;;
*)
    echo "usage: bash scripts/web.sh [build]" >&2
    exit 2
    ;;
esac
