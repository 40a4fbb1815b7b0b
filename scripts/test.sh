#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
#   scripts/test.sh          the program built as shipped (build-release/, no tests) and its
#                            Debian package checked by lintian; then every test built with
#                            AddressSanitizer + UBSan (build-asan/) and run. This is CI.
#   scripts/test.sh --plain  every test on the normal build in build/, no sanitizers: the
#                            quicker loop while working
# The tests are compiled once, under the sanitizers: compiling them twice would double the
# longest part of a run for no fault it could catch that the sanitized run does not.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
if [ "${1:-}" = "--plain" ]; then
    ./scripts/build.sh
    ctest --test-dir build --output-on-failure -j "$jobs"
    exit 0
fi

# gold links these programs in about half the time of the default linker.
link=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=gold)
# The release build is the shipped one in all but its debugging information: line tables
# (-g1) compile in about two thirds of the time of full -g, and this build is only packaged
# and checked here, never debugged.
BUILD_DIR=build-release ./scripts/build.sh -DQUILLMATE_TESTS=OFF "${link[@]}" \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG"
BUILD_DIR=build-release ./scripts/package.sh

# A sanitizer's report needs only the lines of the code (-g1), which compiles and links
# faster than full debug information.
BUILD_DIR=build-asan ./scripts/build.sh -DQUILLMATE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG=-g1 "${link[@]}"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j "$jobs"
