#!/usr/bin/env bash
# Builds the core and its tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# ./build-sanitize and runs them; any sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
[ "${CI:-}" = true ] && werror=ON
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTALVERO_CORE_ONLY=ON -DTALVERO_BENCHMARKS=OFF \
    -DTALVERO_SANITIZE=ON -DTALVERO_WERROR="$werror" >/dev/null
cmake --build build-sanitize --parallel "$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The kill loop is left out here: it checks files after crashes, not memory, and a sanitized child
# takes most of each random moment just to start.
(cd build-sanitize && ctest --output-on-failure --parallel "$(nproc)" --timeout 300 -E '^KillLoop\.')
