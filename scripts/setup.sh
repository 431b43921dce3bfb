#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing), then configures and
# builds into build/. Sourced by run.sh and test.sh; safe to run again at any time.
set -euo pipefail

KVX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KVX_BUILD="${KVX_BUILD:-$KVX_ROOT/build}"

kvx_packages=(build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev
              libbenchmark-dev qt6-base-dev libgl-dev xvfb xauth desktop-file-utils man-db)
# A clang build (CXX=clang++, as in CI's sanitizer run) needs the compiler and its sanitizer
# runtimes, which the compiler package only recommends.
if [[ "${CXX:-}" == *clang* ]]; then
    kvx_packages+=(clang libclang-rt-dev)
fi

kvx_install_missing() {
    local missing=()
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Builds made here treat warnings as errors.
kvx_build() {
    if [ ! -f "$KVX_BUILD/build.ninja" ]; then
        cmake -S "$KVX_ROOT" -B "$KVX_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DKVX_WERROR=ON "$@"
    elif ! grep -q '^KVX_WERROR:BOOL=ON' "$KVX_BUILD/CMakeCache.txt"; then
        cmake "$KVX_BUILD" -DKVX_WERROR=ON
    fi
    cmake --build "$KVX_BUILD"
}

kvx_install_missing "${kvx_packages[@]}"
