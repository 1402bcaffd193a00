# Shared by scripts/run and scripts/test: install what the build needs, then configure and build.
# shellcheck shell=bash

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Debian packages the build, the tests and the program need.
PACKAGES=(
    cmake make g++ pkg-config python3
    googletest libgtest-dev libbenchmark-dev
    libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-liberation2
    libpng-dev clang-format locales g++-mingw-w64-i686-win32
    libsdl2-dev xvfb xauth xdotool wmctrl openbox imagemagick x11-utils
)

missing_packages() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
    done
}

ensure_packages() {
    local missing
    missing=$(missing_packages "$@" | tr '\n' ' ')
    missing="${missing% }"
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "These packages are missing. Install them with:" >&2
        echo "  sudo apt-get install -y $missing" >&2
        exit 1
    fi
    echo "Installing: $missing"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing >/dev/null
}

# A locale with a decimal comma, so that the tests can show the locale never matters.
ensure_comma_locale() {
    locale -a 2>/dev/null | grep -qi '^ru_RU.utf-\?8$' && return 0
    [ "$(id -u)" -eq 0 ] || return 0
    ensure_packages locales
    localedef -i ru_RU -f UTF-8 ru_RU.UTF-8 >/dev/null 2>&1 || true
}

# build DIR [cmake options...]: configure once, then build what is out of date.
build() {
    local dir="$1"
    shift
    if [ ! -f "$ROOT/$dir/CMakeCache.txt" ]; then
        cmake -S "$ROOT" -B "$ROOT/$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    fi
    cmake --build "$ROOT/$dir" -j "$(nproc)"
}
