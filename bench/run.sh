#!/usr/bin/env bash
# Builds and runs the benchmarks (optimised build). Exits with a non-zero status when a figure
# breaks its limit.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DBUILD_BENCHMARKS=ON >/dev/null
cmake --build build-bench --target frame_change_bench chooser_bench
status=0
build-bench/bench/frame_change_bench || status=1
build-bench/bench/chooser_bench || status=1
exit $status
