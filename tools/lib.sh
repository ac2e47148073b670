# Shared by the tools: installs what a fresh Debian machine lacks, configures and builds.

QX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QX_BUILD=${QX_BUILD:-$QX_ROOT/build}

qx_install_missing() {
    local wanted=(cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                  mingw-w64-tools wine wine64 googletest xvfb "$@")
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
    cmake -S "$QX_ROOT" -B "$QX_BUILD" -G Ninja \
          -DCMAKE_TOOLCHAIN_FILE="$QX_ROOT/cmake/toolchain-mingw64.cmake" >/dev/null
    cmake --build "$QX_BUILD" -j "$(nproc)"
}
