# Shared by start.sh and test.sh: install missing Debian packages, configure
# and build. Sourced, not run.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"

# Packages to build and start the window; help2man writes the trace tool's
# manual page from its --help, and CLI11 reads the tool's command line.
RUN_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev fonts-ipafont-gothic
    help2man libcli11-dev)
# Packages the tests need on top: GoogleTest and a virtual X display with tools
# to find and click the real window; a private D-Bus session with the
# accessibility bus, so the window speaks to a screen reader; the desktop's
# checkers of the menu entry and the AppStream data; the C++ layout and lint
# checkers (scripts/lint-cpp.sh).
TEST_PACKAGES=(googletest libgtest-dev xvfb xauth xdotool x11-utils dbus-daemon at-spi2-core
    desktop-file-utils appstream clang-format clang-tidy)
# Packages the page's tests need: Debian's Chromium (driven by Playwright from
# npm) and WebKit's WebDriver with its MiniBrowser, on a virtual X display.
WEB_TEST_PACKAGES=(chromium webkit2gtk-driver xvfb xauth)
# Packages to build the Debian package, check it against Debian policy and
# try it installed.
PACKAGE_PACKAGES=(dpkg-dev file lintian xvfb xauth xdotool)

install_missing() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing missing Debian packages: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

configure_and_build() {
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja "$@"
    cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}
