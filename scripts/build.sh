#!/usr/bin/env bash
# Configures Talvero in ./build and builds the targets named on the command line (all without
# any). Under CI (CI=true) every warning is an error.
#   scripts/build.sh [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
[ "${CI:-}" = true ] && werror=ON
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALVERO_WERROR="$werror" >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build build --parallel "$(nproc)" "${targets[@]}"
