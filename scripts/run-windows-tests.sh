#!/usr/bin/env bash
# Cross-builds the whole program for 64-bit Windows with MinGW-w64 and a static Qt for Windows
# (talvero.exe with its windows, the stand-in emulator, core_tests.exe, gui_tests.exe), runs both
# test programs under Wine in Xvfb (the window tests offscreen; one run of talvero.exe itself with
# Windows' own platform plugin), and makes the portable zip with cpack.
#
# Qt for Windows comes from scripts/build-qt-windows.sh: the prepared copy named by
# TALVERO_QT_WINDOWS_CACHE or TALVERO_QT_WINDOWS_ARCHIVE, else its cache, else its own build from
# Debian's source (about an hour, once per machine).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh g++-mingw-w64-x86-64 wine64 xvfb xauth
start=$(date +%s)

qt=$(scripts/build-qt-windows.sh | tail -n 1)
toolchain="$qt/lib/cmake/Qt6/qt.toolchain.cmake"
build=build-windows
# A folder configured before with another toolchain (the core alone, another Qt) starts afresh:
# CMake keeps the first toolchain of a build folder.
if [ -f "$build/CMakeCache.txt" ] && ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$toolchain" "$build/CMakeCache.txt"; then
    rm -rf "$build"
fi
werror=OFF
[ "${CI:-}" = true ] && werror=ON
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DTALVERO_BENCHMARKS=OFF -DTALVERO_WERROR="$werror" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel "$(nproc)"

# The program is one file: it may load only Windows' own libraries, no Qt or MinGW runtime DLL.
foreign=$(x86_64-w64-mingw32-objdump -p "$build/talvero.exe" | sed -n 's/^\s*DLL Name: //p' |
          grep -viE '^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|comctl32|imm32|winmm|ws2_32|shcore|uxtheme|dwmapi|version|shlwapi|netapi32|userenv|wtsapi32|setupapi|mpr|authz|d3d9|d3d11|d3d12|dxgi|dwrite|d2d1|uuid|rpcrt4|crypt32|bcrypt|msvcrt|api-ms-win-[a-z0-9-]+)\.dll$' || true)
if [ -n "$foreign" ]; then
    echo "talvero.exe needs DLLs that Windows does not have: $foreign" >&2
    exit 1
fi

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
# Wine's list of drive letters is read when its server starts: start it afresh with D: and E:.
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -w 2>/dev/null || true
export TALVERO_TEST_DRIVES_WRITABLE=1
# Qt's offscreen platform on Windows reads fonts only from a folder of font files; the window tests
# measure their texts with the same Liberation Sans as on Linux (Wine shows / as drive Z:). Wine
# hides QT_ variables from Windows programs: the tests' main hands TALVERO_QT_... on to Qt.
export TALVERO_QT_QPA_FONTDIR='Z:\usr\share\fonts\truetype\liberation2'

# Everything runs in Xvfb: the window tests draw offscreen, but the one run of talvero.exe with
# Windows' own platform plugin shows its window on this display (TALVERO_SMOKE_DISPLAY).
(cd "$build" && xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash -c 'TALVERO_SMOKE_DISPLAY=$DISPLAY ctest --output-on-failure --timeout 900')

# The portable zip: talvero.exe, README.txt and LICENSE.
(cd "$build" && cpack -G ZIP >/dev/null)
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
zip="$build/talvero-$version-windows-x64.zip"
listing=$(cmake -E tar tf "$zip" | grep -v '/$' | sed 's|^[^/]*/||' | sort | tr '\n' ' ')
if [ "$listing" != "LICENSE README.txt talvero.exe " ]; then
    echo "$zip holds: $listing" >&2
    exit 1
fi
echo "Windows build, tests under Wine and $zip: $(( $(date +%s) - start )) s"
