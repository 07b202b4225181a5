#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs it as a learner's machine would, starts
# the installed program on a virtual display, finds its window by name, ends
# it from the keyboard (Tab to "おわる", Enter) and removes the package again.
# Exits non-zero on any failure. Needs root (apt-get).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

PACKAGE_BUILD_DIR="${PACKAGE_BUILD_DIR:-$ROOT/build-package}"
title='ぴるての衝突'
app_id=io.github.shoutotsu.Shoutotsu

if [ "${1:-}" = "--window-part" ]; then
    # Run inside xvfb-run: the installed program, found by its window's name.
    /usr/bin/shoutotsu &
    pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n 1) || true
    if [ -z "$window" ]; then
        echo "FAIL: no window named $title appeared" >&2
        kill "$pid" 2>/dev/null
        exit 1
    fi
    echo "found the window $window of /usr/bin/shoutotsu"
    # The focus starts on the drawing area; Tab goes on to おわる.
    xdotool windowfocus --sync "$window"
    sleep 0.5
    xdotool key Tab Return
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        echo "FAIL: the program still runs after Tab and Enter on おわる" >&2
        kill "$pid"
        exit 1
    fi
    status=0
    wait "$pid" || status=$?
    if [ "$status" -ne 0 ]; then
        echo "FAIL: the program ended with status $status" >&2
        exit 1
    fi
    echo "the window closed and the program ended with status 0"
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "ci-package.sh installs a package: run it as root" >&2
    exit 1
fi

started=$(date +%s)
install_missing "${RUN_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
BUILD_DIR="$PACKAGE_BUILD_DIR" configure_and_build -DSHOUTOTSU_TESTS=OFF -DSHOUTOTSU_GUI=ON \
    -DSHOUTOTSU_WERROR=ON
rm -f "$PACKAGE_BUILD_DIR"/shoutotsu_*.deb
(cd "$PACKAGE_BUILD_DIR" && cpack -G DEB)
debs=("$PACKAGE_BUILD_DIR"/shoutotsu_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "FAIL: expected one shoutotsu_*.deb in $PACKAGE_BUILD_DIR" >&2
    exit 1
fi
deb=${debs[0]}
echo "== $(basename "$deb")"
dpkg-deb --field "$deb" Package Version Architecture Depends

# Debian policy: no error and no warning (informational tags are shown).
lintian_log=$(mktemp)
lintian --display-info "$deb" 2>&1 | tee "$lintian_log" || true
if grep -qE '^[EW]: ' "$lintian_log"; then
    echo "FAIL: lintian reports errors or warnings on $(basename "$deb")" >&2
    rm -f "$lintian_log"
    exit 1
fi
rm -f "$lintian_log"
echo "lintian: no error and no warning"

depends=$(dpkg-deb --field "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-ipafont-gothic; do
    if ! grep -qw -- "$needed" <<<"$depends"; then
        echo "FAIL: the package does not depend on $needed" >&2
        exit 1
    fi
done

DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb"
# Whatever happens from here on, the package goes again.
removed=false
remove_package() {
    if ! $removed; then
        DEBIAN_FRONTEND=noninteractive apt-get remove -y shoutotsu
        removed=true
    fi
}
trap remove_package EXIT

for file in /usr/bin/shoutotsu /usr/bin/shoutotsu-trace \
    "/usr/share/applications/$app_id.desktop" "/usr/share/metainfo/$app_id.metainfo.xml" \
    "/usr/share/icons/hicolor/32x32/apps/$app_id.png" \
    "/usr/share/icons/hicolor/scalable/apps/$app_id.svg"; do
    if [ ! -f "$file" ]; then
        echo "FAIL: the package did not install $file" >&2
        exit 1
    fi
done
/usr/bin/shoutotsu-trace --results --m1 20 --speed fast

export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" bash "${BASH_SOURCE[0]}" --window-part
rm -rf "$XDG_RUNTIME_DIR"

remove_package
trap - EXIT
if [ -e /usr/bin/shoutotsu ]; then
    echo "FAIL: /usr/bin/shoutotsu is still there after removing the package" >&2
    exit 1
fi
echo "PASS: built, installed, started, closed and removed $(basename "$deb")" \
    "in $(($(date +%s) - started)) s"
