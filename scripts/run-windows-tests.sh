#!/usr/bin/env bash
# Cross-builds the core, the stand-in emulator and the core tests for 64-bit Windows with
# MinGW-w64 and runs the tests under Wine, so that Windows' own code paths are exercised too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh g++-mingw-w64-x86-64 wine64

cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DTALVERO_CORE_ONLY=ON -DTALVERO_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-windows --parallel "$(nproc)"

# A private Wine prefix whose drives D: and E: are empty scratch folders for the tests' CDs.
scratch=$(mktemp -d /tmp/talvero-wine-XXXXXX)
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() { /usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$scratch"; }
trap cleanup EXIT
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
for drive in d e; do
    mkdir -p "$scratch/drive-$drive"
    ln -sfn "$scratch/drive-$drive" "$WINEPREFIX/dosdevices/$drive:"
done
export TALVERO_TEST_DRIVES_WRITABLE=1

cd build-windows
ctest --output-on-failure --timeout 600
