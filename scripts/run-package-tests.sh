#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch folder and runs the installed program from
# there: --version, --list, --demo (which lays out a demo AppFolder with the installed stand-in
# emulator), and --start in it, once with the stand-in emulator and once with a Windows emulator
# that the installed FS-UAE bridge replaces (with a recording fs-uae of our own on the search
# path). Validates the desktop entry and the AppStream data, and
# runs lintian on the package.
# Expects a complete build in ./build (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

(cd build && cpack -G DEB -B "$scratch/package" >/dev/null)
deb=$(ls "$scratch"/package/talvero_*.deb)
fields=$(dpkg-deb --field "$deb" Depends Recommends)
for needed in libqt6widgets6 libcdio19 libiso9660-11 "Recommends: fs-uae"; do
    grep -q "$needed" <<<"$fields" || fail "the package does not name $needed: $fields"
done

dpkg -x "$deb" "$scratch/root"
usr="$scratch/root/usr"
for file in bin/talvero libexec/talvero/talvero-fsuae-bridge libexec/talvero/talvero-standin share/applications/org.talvero.Talvero.desktop \
    share/metainfo/org.talvero.Talvero.metainfo.xml share/man/man6/talvero.6.gz share/doc/talvero/copyright \
    share/doc/talvero/changelog.Debian.gz \
    share/icons/hicolor/scalable/apps/talvero.svg; do
    [ -f "$usr/$file" ] || fail "the package lacks $file"
done
for size in 48 128 256; do
    file "$usr/share/icons/hicolor/${size}x${size}/apps/talvero.png" | grep -q "PNG image data, $size x $size" \
        || fail "no $size pixel icon"
done
desktop-file-validate "$usr/share/applications/org.talvero.Talvero.desktop" || fail "desktop-file-validate"
# Opened from a file manager, the entry hands over the image.
grep -qx 'Exec=talvero %f' "$usr/share/applications/org.talvero.Talvero.desktop" || fail "the desktop entry takes no file"
grep -q '^MimeType=.*application/x-cd-image;.*application/x-cue;' "$usr/share/applications/org.talvero.Talvero.desktop" \
    || fail "the desktop entry names no CD image types"
# Debian's own checks: no error and no warning (notes and informational tags are allowed).
lintian_out=$(lintian --fail-on none "$deb" 2>&1 | grep -E '^[EW]: ' || true)
[ -z "$lintian_out" ] || fail "lintian: $lintian_out"
appstreamcli validate --no-net "$usr/share/metainfo/org.talvero.Talvero.metainfo.xml" >/dev/null \
    || fail "appstreamcli validate"

# The installed program, with a private home, offscreen.
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" XDG_DATA_HOME="$scratch/home/.local/share"
export XDG_RUNTIME_DIR="$scratch/run" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
talvero="$usr/bin/talvero"

[ "$("$talvero" --version)" = "talvero 1.1" ] || fail "--version says: $("$talvero" --version)"
list=$("$talvero" --list)
[ "$(wc -l <<<"$list")" -eq 30 ] || fail "--list gives $(wc -l <<<"$list") lines"
# A new user's folder has no data files yet: every game is marked.
[ "$(head -1 <<<"$list")" = $'Akira\tCD32\tmissing Data/Akira.dat' ] || fail "--list begins with: $(head -1 <<<"$list")"
list=$(cut -f1,2 <<<"$list")
grep -qx $'Defender of the Crown 2\tCD32, CDTV' <<<"$list" || fail "--list lacks the game in both lists"
# The CD32 list in word order (D-Generation after Defender), then the games only on CDTV.
[ "$(grep -A1 '^Defender' <<<"$list" | tail -1)" = $'D-Generation\tCD32' ] || fail "--list: no D-Generation after Defender"
[ "$(tail -5 <<<"$list")" = "$(printf "Whale's Voyage\tCD32\nFantastic Voyage\tCDTV\nIndiana Jones and the \
Last Crusade\tCDTV\nLemmings\tCDTV\nTurrican 2\tCDTV")" ] || fail "--list ends with: $(tail -5 <<<"$list")"

# Waits up to 15 s for a file to hold a text.
wait_for() {
    for _ in $(seq 150); do
        grep -q "$2" "$1" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# The demo, laid out by the installed program in a new folder; without a display the window
# cannot open, and says so after the folder is ready.
apps="$scratch/app"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$talvero" --demo "$apps" 2>"$scratch/demo.err" || status=$?
[ "$status" -eq 1 ] || fail "--demo without a display ended with $status"
grep -q "^talvero: the demo is laid out in $apps\.$" "$scratch/demo.err" || fail "--demo says: $(cat "$scratch/demo.err")"
grep -q "^talvero: no display to show the window on" "$scratch/demo.err" || fail "--demo says: $(cat "$scratch/demo.err")"
for file in Data/Akira.dat Talvero.dat WinUAE/Configurations/Default.uae WinUAE/kick31.rom Previews/Akira.jpg \
    Drives/E.cue Drives/E.bin Drives/F.iso; do
    [ -f "$apps/$file" ] || fail "--demo did not lay out $file"
done
cmp -s "$usr/libexec/talvero/talvero-standin" "$apps/WinUAE/WinUAE817r3.exe" || fail "the demo's emulator is not the installed stand-in"
marked=$("$talvero" --app-folder "$apps" --list | grep -c missing || true)
[ "$marked" -eq 0 ] || fail "--list marks $marked games of the complete demo folder"
status=0
timeout 60 "$talvero" --demo "$apps" --start Akira || status=$?
[ "$status" -eq 0 ] || fail "--demo --start Akira ended with $status"
wait_for "$apps/WinUAE/launch.log" "^result: ok" || fail "no launch record: $(cat "$apps/WinUAE/launch.log" 2>&1)"

# A Windows emulator: the installed bridge starts fs-uae (a recording stand-in) in its place. It
# takes the stand-in's name by a rename: the stand-in may still be ending, and a running program's
# file cannot be written ("Text file busy").
printf 'MZ\x90\x00This program cannot be run in DOS mode.' >"$scratch/WinUAE817r3.exe"
mv -f "$scratch/WinUAE817r3.exe" "$apps/WinUAE/WinUAE817r3.exe"
mkdir "$scratch/bin"
printf '#!/bin/sh\necho "$@" >"%s/fs-uae.args"\n' "$scratch" >"$scratch/bin/fs-uae"
chmod +x "$scratch/bin/fs-uae"
status=0
PATH="$scratch/bin:$PATH" timeout 60 "$talvero" --app-folder "$apps" --start Akira || status=$?
[ "$status" -eq 0 ] || fail "--start Akira with a Windows emulator ended with $status"
wait_for "$scratch/fs-uae.args" "Talvero.fs-uae" || fail "the bridge did not start fs-uae"
grep -q "emulator: $scratch/bin/fs-uae pid" "$apps/WinUAE/bridge.log" || fail "bridge log: $(cat "$apps/WinUAE/bridge.log")"

if [ "$failures" -ne 0 ]; then
    echo "package tests: $failures failed" >&2
    exit 1
fi
echo "package tests: passed"
