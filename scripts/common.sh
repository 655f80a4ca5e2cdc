# Shared by scripts/run and scripts/test: packages, build, a private Wine
# prefix and a display. Sourced, not run. Cleans up only what it started.

QUILLON_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QUILLON_BUILD=${QUILLON_BUILD:-$QUILLON_ROOT/build}
export WINEPREFIX=${QUILLON_WINEPREFIX:-$QUILLON_BUILD/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# Latin-1 (code page 1252) as the ANSI code page, whatever the host locale.
export LANG=en_US.UTF-8 LC_ALL=
# File names beyond ASCII need a UTF-8 character type that exists on the host.
export LC_CTYPE=C.UTF-8
# No Mono or Gecko installer prompts in a fresh prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}

# fonts-wine: Wine's own fonts, among them the one that draws the caption
# buttons' glyphs.
QUILLON_PACKAGES=(wine64 wine64-tools libwine-dev wine fonts-wine xvfb xdotool imagemagick x11-utils
                  libid3tag0-dev zlib1g-dev libgtest-dev cmake ninja-build g++ python3)

say() { printf 'quillon: %s\n' "$*" >&2; }

# Installs the Debian packages that are missing.
quillon_install_packages() {
    local missing=()
    for p in "${QUILLON_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    say "installing ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq >/dev/null
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Configures the build and builds the given targets (all without any).
quillon_build() {
    cmake -S "$QUILLON_ROOT" -B "$QUILLON_BUILD" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$QUILLON_ROOT/cmake/winelib-toolchain.cmake" >/dev/null
    local targets=()
    for t in "$@"; do targets+=(--target "$t"); done
    cmake --build "$QUILLON_BUILD" "${targets[@]}"
}

QUILLON_STARTED_XVFB=""
QUILLON_STARTED_WINESERVER=""

# Uses the display in $DISPLAY when one answers; else starts Xvfb on a free
# number and says so.
quillon_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local n=90
    while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    QUILLON_STARTED_XVFB=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    say "no display found: started a virtual display (Xvfb) on $DISPLAY"
}

# Creates the private prefix once; starts a persistent wineserver for it.
quillon_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        say "creating the Wine prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        # Without a window manager Wine draws the frames itself, and
        # destroying a window does not wait for one.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d Y /f >/dev/null 2>&1
        wineserver -w
    fi
    if ! quillon_wineserver_running; then
        wineserver -p
        QUILLON_STARTED_WINESERVER=1
    fi
    # The first Wine process of a server starts Wine's background services,
    # which live as long as the server and keep the output of whoever started
    # them: start them here, away from CTest's pipes.
    wine reg query 'HKCU\Software\Wine' >/dev/null 2>&1 || true
}

# A wineserver serves one prefix, through a socket in a folder named after
# the prefix folder's device and inode.
quillon_wineserver_running() {
    local dev ino id s
    read -r dev ino < <(stat -c '%d %i' "$WINEPREFIX")
    id=$(printf 'server-%x-%x' "$dev" "$ino")
    for s in /tmp/.wine-"$(id -u)"/"$id"/socket /tmp/wine-*/"$id"/socket; do
        [ -S "$s" ] && return 0
    done
    return 1
}

quillon_cleanup() {
    if [ -n "$QUILLON_STARTED_WINESERVER" ]; then
        wineserver -k >/dev/null 2>&1 || true
    fi
    if [ -n "$QUILLON_STARTED_XVFB" ]; then
        kill "$QUILLON_STARTED_XVFB" >/dev/null 2>&1 || true
    fi
}
