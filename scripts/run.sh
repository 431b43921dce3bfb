#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
kvx_build
if [ -x "$KVX_BUILD/kvxm2000" ]; then
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "There is no display to show the desktop program on."
        echo "Use the command-line program instead: $KVX_BUILD/kvxm2000-cli --help"
        exit 1
    fi
    exec "$KVX_BUILD/kvxm2000" "$@"
fi
echo "KVXm 2000 is built in $KVX_BUILD."
echo "The desktop program is not part of this build yet; the core library and its tests are."
echo "Run the tests with: scripts/test.sh"
