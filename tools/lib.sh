# Shared by the tools: installs what a fresh Debian machine lacks, configures and builds.

QX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QX_BUILD=${QX_BUILD:-$QX_ROOT/build}

qx_install_missing() {
    # Wine's own fonts and the fonts the tests draw with come as recommended packages of wine,
    # which are not installed here: they are named one by one. Clang and its fuzzing library
    # build the native fuzz targets.
    local wanted=(cmake ninja-build ccache g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                  mingw-w64-tools wine wine64 fonts-wine fonts-liberation fonts-ipafont
                  fonts-ipafont-gothic fonts-ipafont-mincho fonts-wqy-zenhei googletest xvfb figlet
                  python3-pyftpdlib tinyproxy manpages-ja manpages-zh alsa-utils ffmpeg
                  nagios-images clang libfuzzer-14-dev base-passwd libffi8 pandoc unrtf python3-doc
                  debian-reference-en fonts-dejavu-core fonts-liberation2 xdotool "$@")
    local missing=()
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

qx_build() {
    # Compiler results are kept by ccache, named relative to the checkout, so that a new clone
    # or a second work tree of the project rebuilds only what differs.
    export CCACHE_BASEDIR=$QX_ROOT CCACHE_NOHASHDIR=1
    # Translation units are compiled with precompiled headers, which ccache caches only when
    # told to ignore the macros and the time of the header.
    export CCACHE_SLOPPINESS=pch_defines,time_macros
    cmake -S "$QX_ROOT" -B "$QX_BUILD" -G Ninja \
          -DCMAKE_TOOLCHAIN_FILE="$QX_ROOT/cmake/toolchain-mingw64.cmake" \
          -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
    cmake --build "$QX_BUILD" -j "$(nproc)"
}
