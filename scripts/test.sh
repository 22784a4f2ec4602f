#!/usr/bin/env bash
# Builds everything and runs the whole suite twice: an optimised build, and a build with the
# address and undefined-behaviour sanitizers. GUI tests start their own virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

# The sources stay formatted as .clang-format says.
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 300

# Optimised too (frame pointers kept), so that a slow program is not hidden by a slow build.
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSANITIZE=ON >/dev/null
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs" --timeout 600

# The picture loading's fuzzers, a few seconds each, where Clang is installed.
if command -v clang++ >/dev/null; then
  JOBS=$jobs scripts/fuzz.sh 5
fi
