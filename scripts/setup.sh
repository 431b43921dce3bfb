#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing), then configures and
# builds into build/. Sourced by run.sh and test.sh; safe to run again at any time.
set -euo pipefail

KVX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KVX_BUILD="${KVX_BUILD:-$KVX_ROOT/build}"

kvx_packages=(build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev
              libbenchmark-dev qt6-base-dev libgl-dev xvfb xauth desktop-file-utils)

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

kvx_build() {
    if [ ! -f "$KVX_BUILD/build.ninja" ]; then
        cmake -S "$KVX_ROOT" -B "$KVX_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    fi
    cmake --build "$KVX_BUILD"
}

kvx_install_missing "${kvx_packages[@]}"
