#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs each for SECONDS
# (default 10). The long run is: scripts/fuzz.sh 900
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g -O1"
cmake -S . -B build-fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="$flags" -DORLATIM_FUZZ=ON -DORLATIM_FUZZ_SECONDS="$seconds" >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzzers
cd build-fuzz
ctest -L fuzz --output-on-failure -j"$(nproc)" --timeout $((seconds + 120))
