#!/usr/bin/env bash
# Builds Talvero and runs every test; exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 300)

# The Debian package, unpacked and run from there.
scripts/run-package-tests.sh

# The core and its tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
scripts/run-sanitizer-tests.sh

# Each fuzz target for 30 seconds from its seed corpus; any crash fails the run.
scripts/run-fuzz.sh 30

# The whole program again, built for Windows with a static Qt and run under Wine, and its zip
# (TALVERO_SKIP_WINDOWS=1 leaves it out).
if [ -z "${TALVERO_SKIP_WINDOWS:-}" ]; then
    scripts/run-windows-tests.sh
fi
