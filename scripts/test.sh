#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest: the
# plain build, the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a short run of each fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
(cd build && ctest --output-on-failure -j"$(nproc)")
scripts/sanitize.sh
scripts/fuzz.sh "${FUZZ_SECONDS:-10}"
