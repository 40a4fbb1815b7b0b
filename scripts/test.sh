#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
#   scripts/test.sh             the normal build in build/, then its Debian package
#                               checked by lintian (scripts/package.sh)
#   scripts/test.sh --sanitize  AddressSanitizer + UBSan build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

jobs=$(nproc)
if [ "${1:-}" = "--sanitize" ]; then
    BUILD_DIR=build-asan ./scripts/build.sh -DQUILLMATE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    build_dir=build-asan
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
    ./scripts/build.sh
    build_dir=build
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure -j "$jobs"
if [ "$build_dir" = build ]; then
    ./scripts/package.sh
fi
