#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) in
# ./build-fuzz and runs each from its seed corpus in tests/fuzz/corpus (a folder, or an archive
# <target>.tar.xz) for a bounded time; any crash, sanitizer report or broken property fails the run.
#   scripts/run-fuzz.sh              each target for 30 seconds (CI)
#   scripts/run-fuzz.sh 600          each target for 10 minutes
#   scripts/run-fuzz.sh 600 data-file one target
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
only="${2:-}"
werror=OFF
[ "${CI:-}" = true ] && werror=ON
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALVERO_CORE_ONLY=ON \
    -DTALVERO_BENCHMARKS=OFF -DBUILD_TESTING=OFF -DTALVERO_FUZZ=ON -DTALVERO_WERROR="$werror" >/dev/null
cmake --build build-fuzz --parallel "$(nproc)"

# The targets write their scratch AppFolders to memory where the system offers it.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for program in build-fuzz/tests/fuzz/fuzz-*; do
    name="${program##*/fuzz-}"
    [ -n "$only" ] && [ "$only" != "$name" ] && continue
    # New inputs go to a scratch copy of the corpus; the committed seeds stay as they are.
    # A corpus of large, alike files (CD images) is kept as one compressed archive.
    mkdir -p "$work/$name"
    [ -d tests/fuzz/corpus/"$name" ] && cp tests/fuzz/corpus/"$name"/* "$work/$name/"
    [ -f tests/fuzz/corpus/"$name".tar.xz ] && tar -xJf tests/fuzz/corpus/"$name".tar.xz -C "$work/$name"
    echo "fuzz-$name: $seconds s"
    "$program" -max_total_time="$seconds" -max_len=200000 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="build-fuzz/crash-$name-" -print_final_stats=1 "$work/$name" 2>"$work/$name.log" ||
        { tail -n 60 "$work/$name.log"; echo "fuzz-$name FAILED (input in build-fuzz/crash-$name-*)"; exit 1; }
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$work/$name.log" | sed "s/^/  /"
done
