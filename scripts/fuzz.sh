#!/usr/bin/env bash
# Runs every libFuzzer target longer than test.sh does, two at a time.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET] [ctest options]
#   scripts/fuzz.sh 3600            every target for an hour
#   scripts/fuzz.sh 600 -R bolt     only fuzz_bolt, ten minutes
# The corpus each run grew and any input that broke a check stay in
# build-fuzz/fuzz/work/<target>/corpus and .../findings; the seed corpus in
# fuzz/corpus is left as it is (copy inputs worth keeping there by hand).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
shift || true
MORVANE_WITH_TEST_PACKAGES=1
source scripts/prepare.sh
prepare_build build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DMORVANE_FUZZ=ON
MORVANE_FUZZ_SECONDS="$seconds" ctest --test-dir build-fuzz --output-on-failure --parallel 2 \
    --timeout $((seconds + 300)) "$@"
