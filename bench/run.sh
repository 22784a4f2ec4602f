#!/usr/bin/env bash
# Builds and runs the frame-change benchmark (optimised build).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DBUILD_BENCHMARKS=ON >/dev/null
cmake --build build-bench --target frame_change_bench
build-bench/bench/frame_change_bench
