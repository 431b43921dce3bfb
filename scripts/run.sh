#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
# The desktop program is part of the Qt build; a build folder configured without it gets it.
if [ -f "$KVX_BUILD/CMakeCache.txt" ] && grep -q '^KVX_BUILD_GUI:BOOL=OFF' "$KVX_BUILD/CMakeCache.txt"; then
    cmake -S "$KVX_ROOT" -B "$KVX_BUILD" -DKVX_BUILD_GUI=ON
fi
kvx_build -DKVX_BUILD_GUI=ON
if [ ! -x "$KVX_BUILD/kvxm2000" ]; then
    echo "The desktop program was not built in $KVX_BUILD; see the build output above."
    exit 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "There is no display to show the desktop program on."
    echo "Use the command-line program instead: $KVX_BUILD/kvxm2000-cli --help"
    exit 1
fi
exec "$KVX_BUILD/kvxm2000" "$@"
