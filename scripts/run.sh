#!/usr/bin/env bash
# Builds and starts one of the programs: scripts/run.sh kadroskop | lampionika
# The build goes into build-run/, a folder of its own without the tests.
set -euo pipefail
program=${1:-kadroskop}
case "$program" in kadroskop|lampionika) ;; *) echo "usage: $0 kadroskop|lampionika" >&2; exit 2 ;; esac
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build build-run --target "$program"
exec "build-run/app/$program"
