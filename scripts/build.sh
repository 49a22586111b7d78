#!/usr/bin/env bash
# Configures and builds Talvero in ./build (shared by the two set-up commands).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)"
