#!/usr/bin/env bash
# Builds and starts one of the programs: scripts/run.sh kadroskop | lampionika
set -euo pipefail
program=${1:-kadroskop}
case "$program" in kadroskop|lampionika) ;; *) echo "usage: $0 kadroskop|lampionika" >&2; exit 2 ;; esac
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build build --target "$program"
exec "build/app/$program"
