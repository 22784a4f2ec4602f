#!/usr/bin/env bash
# Builds the picture loading's libFuzzer targets with Clang (address and undefined-behaviour
# sanitizers) and runs each for SECONDS (default 5), seeded with the bad-picture corpus.
# Inputs that find something new are kept in build-fuzz/found-<target>/ for the next run.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(header_fuzzer decode_fuzzer)

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSANITIZE=ON -DBUILD_FUZZERS=ON >/dev/null
cmake --build build-fuzz -j "${JOBS:-$(nproc)}" --target picture_corpus "${targets[@]}"

seeds=build-fuzz/seeds
rm -rf "$seeds"
mkdir -p "$seeds"
build-fuzz/tests/corpus/picture_corpus "$seeds" 262144
for target in "${targets[@]}"; do
  mkdir -p "build-fuzz/found-$target"
  echo "== $target for $seconds s"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    QT_QPA_PLATFORM=offscreen "build-fuzz/fuzz/$target" -max_total_time="$seconds" \
    -dict=fuzz/pictures.dict -max_len=262144 -rss_limit_mb=1536 -timeout=10 -print_final_stats=1 \
    "build-fuzz/found-$target" "$seeds"
done
