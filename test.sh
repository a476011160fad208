#!/usr/bin/env bash
# Installs what is missing, checks that the C++ files are formatted as
# .clang-format says (scripts/check-format.sh), builds and runs every test,
# then runs them once more in a build with AddressSanitizer and
# UndefinedBehaviorSanitizer.
# The first run also installs the program into a scratch prefix and checks
# it with desktop-file-validate and appstreamcli, and builds the Debian
# package with cpack and starts the program from it (tests/installed_files.sh,
# tests/deb_package.sh). Last, each libFuzzer target runs for about 30
# seconds (scripts/fuzz.sh runs them longer).
set -euo pipefail
cd "$(dirname "$0")"
MORVANE_WITH_TEST_PACKAGES=1
source scripts/prepare.sh

install_missing_packages
scripts/check-format.sh

prepare_build build
ctest --test-dir build --output-on-failure

prepare_build build-sanitize -DMORVANE_SANITIZE=ON
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" \
LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    ctest --test-dir build-sanitize --output-on-failure

# The fuzz targets, two at a time; a broken check or a sanitizer report fails.
prepare_build build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DMORVANE_FUZZ=ON
MORVANE_FUZZ_SECONDS=30 ctest --test-dir build-fuzz --output-on-failure --parallel 2 --timeout 300
