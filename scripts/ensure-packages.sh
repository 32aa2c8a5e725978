# Installs the Debian packages named in its arguments that are not installed
# yet. Quiet when everything is there; uses sudo only when not root.
# Sourced by the play and test scripts.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local as_root=()
    [ "$(id -u)" -ne 0 ] && as_root=(sudo)
    echo "Installing: ${missing[*]}"
    "${as_root[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq \
        "${missing[@]}" >/dev/null
}

# What building the game needs.
BUILD_PACKAGES=(g++ cmake ninja-build pkg-config libsdl1.2-dev libsdl-image1.2-dev libhwy-dev
    libpng-dev libfreetype-dev)
# What the tests and benchmarks need on top: GoogleTest, Google Benchmark,
# an X server with tools to drive the real window (and the Damage extension
# to count its frames) and a window manager that honours fullscreen requests
# (openbox), zlib to write test pictures, libseccomp to imitate file systems
# without hard links, SDL2, which the second SDL 1.2 runtime (sdl12-compat)
# runs on, and lintian and appstream to check the Debian package and its
# software-centre metadata.
TEST_PACKAGES=(libgtest-dev libbenchmark-dev xvfb xdotool imagemagick libx11-dev x11-utils
    libxdamage-dev openbox zlib1g-dev libseccomp-dev libsdl2-2.0-0 lintian appstream)

# Unpacks Debian's sdl12-compat (SDL 1.2 on top of SDL2) into the folder given
# and prints the folder of its libSDL-1.2.so.0, to be put first on the
# library path: only its shim package, which conflicts with the classic SDL
# 1.2 the build needs, would make it the system's SDL 1.2. Fetched once.
unpack_sdl12_compat() {
    local into="$1" library
    library="$(find "$into" -name libSDL-1.2.so.0 2>/dev/null | head -n 1)"
    if [ -z "$library" ]; then
        rm -rf "$into" && mkdir -p "$into"
        if ! (cd "$into" && apt-get download -q libsdl1.2-compat) >"$into.log" 2>&1; then
            local as_root=()
            [ "$(id -u)" -ne 0 ] && as_root=(sudo)
            "${as_root[@]}" apt-get update -qq
            (cd "$into" && apt-get download -q libsdl1.2-compat) >"$into.log" 2>&1 ||
                { cat "$into.log" >&2; return 1; }
        fi
        dpkg-deb -x "$into"/libsdl1.2-compat_*.deb "$into"
        library="$(find "$into" -name libSDL-1.2.so.0 | head -n 1)"
    fi
    [ -n "$library" ] && dirname "$library"
}
