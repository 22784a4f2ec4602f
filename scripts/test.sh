#!/usr/bin/env bash
# Builds everything and runs the whole suite twice: an optimised build, and a build with the
# address and undefined-behaviour sanitizers. GUI tests start their own virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

# The sources stay formatted as .clang-format says.
scripts/check-format.sh

# Each build has the tests and fails on any warning, whatever an earlier configure left in its
# folder; a suite that finds no test fails too.
suite=(-DBUILD_TESTING=ON -DWARNINGS_AS_ERRORS=ON)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${suite[@]}" >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure --no-tests=error -j "$jobs" --timeout 300

# The picture loading's fuzzers, a few seconds each, where Clang is installed.
if command -v clang++ >/dev/null; then
  JOBS=$jobs scripts/fuzz.sh 5
fi

# Optimised too (frame pointers kept), so that a slow program is not hidden by a slow build.
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSANITIZE=ON "${suite[@]}" >/dev/null
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure --no-tests=error -j "$jobs" --timeout 600

