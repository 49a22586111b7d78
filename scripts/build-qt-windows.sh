#!/usr/bin/env bash
# Makes Qt 6.4.2 for 64-bit Windows (MinGW-w64, static) available and prints its install prefix as
# the last line of standard output. Everything else goes to standard error.
#
# Where it looks, in this order:
#   1. TALVERO_QT_WINDOWS_CACHE: a folder holding a complete prefix (a prepared copy handed over);
#   2. TALVERO_QT_WINDOWS_ARCHIVE: a .tar.xz of a prefix, checked against the SHA256SUMS beside it,
#      unpacked once into the cache below;
#   3. the cache, ${XDG_CACHE_HOME:-~/.cache}/talvero/qt-6.4.2-mingw-static-<hash of the options>;
#   4. otherwise it builds Qt there from Debian's own qt6-base source (about an hour on two cores).
# A prefix counts as complete only once the marker file ".talvero-complete" is in it, which is
# written last, so an interrupted build or unpack is started again rather than used.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

qt_version=6.4.2
cache_root=${XDG_CACHE_HOME:-${HOME:-/root}/.cache}/talvero
marker=.talvero-complete

say() { echo "build-qt-windows: $*" >&2; }
complete() { [ -f "$1/$marker" ] && [ -f "$1/lib/cmake/Qt6/qt.toolchain.cmake" ]; }

# Qt's tools run on this machine (Debian's host Qt of the same version); the libraries are built
# with Debian's MinGW-w64.
scripts/install-deps.sh g++-mingw-w64-x86-64 qt6-base-dev-tools ninja-build >&2

# 1. A prepared prefix, handed over as a folder.
if [ -n "${TALVERO_QT_WINDOWS_CACHE:-}" ]; then
    for candidate in "$TALVERO_QT_WINDOWS_CACHE" "$TALVERO_QT_WINDOWS_CACHE"/qt-*; do
        if [ -d "$candidate" ] && { complete "$candidate" || [ -f "$candidate/lib/cmake/Qt6/qt.toolchain.cmake" ]; }; then
            say "using the prepared Qt in $candidate"
            echo "$candidate"
            exit 0
        fi
    done
    say "TALVERO_QT_WINDOWS_CACHE=$TALVERO_QT_WINDOWS_CACHE holds no Qt prefix; looking further"
fi

# 2. A prepared prefix, handed over as an archive with its checksum.
if [ -n "${TALVERO_QT_WINDOWS_ARCHIVE:-}" ]; then
    archive=$TALVERO_QT_WINDOWS_ARCHIVE
    sums="$(dirname "$archive")/SHA256SUMS"
    [ -f "$archive" ] || { say "the archive $archive does not exist"; exit 1; }
    [ -f "$sums" ] || { say "no SHA256SUMS beside $archive to check it against"; exit 1; }
    expected=$(awk -v name="$(basename "$archive")" '$2 == name || $2 == "*" name { print $1 }' "$sums")
    [ -n "$expected" ] || { say "$sums has no line for $(basename "$archive")"; exit 1; }
    prefix="$cache_root/qt-$qt_version-mingw-static-archive-${expected:0:12}"
    if ! complete "$prefix"; then
        actual=$(sha256sum "$archive" | cut -d' ' -f1)
        if [ "$actual" != "$expected" ]; then
            say "$archive does not match its checksum (expected $expected, found $actual)"
            exit 1
        fi
        say "unpacking $archive into $prefix"
        rm -rf "$prefix" "$prefix.unpacking"
        mkdir -p "$prefix.unpacking"
        tar -xJf "$archive" -C "$prefix.unpacking"
        inner=$(find "$prefix.unpacking" -mindepth 3 -maxdepth 5 -path '*/lib/cmake/Qt6/qt.toolchain.cmake' | head -n 1)
        [ -n "$inner" ] || { say "$archive holds no Qt prefix"; exit 1; }
        mv "$(dirname "$(dirname "$(dirname "$(dirname "$inner")")")")" "$prefix"
        rm -rf "$prefix.unpacking"
        touch "$prefix/$marker"
    fi
    echo "$prefix"
    exit 0
fi

# 3. The cache of this machine's own build, named by the version and a hash of how it is built.
options=(
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF
    -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF
    # Debian's source leaves out the tablet headers that the windows platform plugin includes.
    -DFEATURE_tabletevent=OFF
)
# Qt is built with the project's MinGW toolchain, less the line that runs test programs under
# Wine (Qt's own build runs nothing it builds).
toolchain_text="include(\"$repo/cmake/mingw-w64-x86_64.cmake\")
unset(CMAKE_CROSSCOMPILING_EMULATOR)"
hash=$(printf '%s\n' "$qt_version" "${options[@]}" "$(cat cmake/mingw-w64-x86_64.cmake)" | sha256sum | cut -c1-12)
prefix="$cache_root/qt-$qt_version-mingw-static-$hash"
if complete "$prefix"; then
    echo "$prefix"
    exit 0
fi

# 4. Build it from Debian's source package. apt reads a sources list of its own (deb-src for
# bookworm) into lists of its own, so the machine's apt configuration stays untouched; apt checks
# the source's signatures and checksums.
scripts/install-deps.sh dpkg-dev xz-utils >&2
work="$cache_root/qt-$qt_version-mingw-static-$hash.work"
rm -rf "$prefix" "$work"
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/source"
cat > "$work/apt/talvero-src.sources" <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
apt_options=(-o "Dir::Etc::sourcelist=$work/apt/talvero-src.sources" -o Dir::Etc::sourceparts=-
             -o "Dir::State::Lists=$work/apt/lists" -o "Dir::Cache=$work/apt/cache"
             -o APT::Sandbox::User=root)
say "fetching Debian's qt6-base source"
apt-get "${apt_options[@]}" update >&2
(cd "$work/source" && apt-get "${apt_options[@]}" source --only-source qt6-base >&2)
source_dir=$(find "$work/source" -mindepth 1 -maxdepth 1 -type d -name "qt6-base-$qt_version*" | head -n 1)
[ -n "$source_dir" ] || { say "apt-get source left no qt6-base-$qt_version folder"; exit 1; }

# The toolchain lives inside the prefix, since Qt's qt.toolchain.cmake names it.
mkdir -p "$prefix"
printf '%s\n' "$toolchain_text" > "$prefix/mingw-toolchain-used.cmake"
say "configuring Qt in $work/build"
cmake -S "$source_dir" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-toolchain-used.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" >&2
say "building Qt (about an hour on two cores)"
start=$(date +%s)
cmake --build "$work/build" --parallel "$(nproc)" >&2
cmake --install "$work/build" >&2
touch "$prefix/$marker"
say "built Qt in $(( $(date +%s) - start )) s into $prefix"
rm -rf "$work"
echo "$prefix"
