#!/usr/bin/env bash
# Builds Talvero, lays out a demo AppFolder in build/demo and starts the program from it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh talvero talvero-standin talvero-fsuae-bridge talvero-demo

# A real emulated Amiga through FS-UAE when it is installed; the stand-in otherwise.
emulator=build/talvero-standin
if command -v fs-uae >/dev/null 2>&1; then
    emulator=build/talvero-fsuae-bridge
else
    echo "FS-UAE is not installed: the demo uses the stand-in emulator (apt-get install fs-uae for a real Amiga)."
fi
build/talvero-demo build/demo build/talvero "$emulator"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found (DISPLAY and WAYLAND_DISPLAY are not set), so Talvero cannot open its window." >&2
    echo "The demo is ready in build/demo. Start it from a desktop session, or on a headless machine with:" >&2
    echo "  xvfb-run -a build/demo/talvero" >&2
    exit 2
fi
exec build/demo/talvero
