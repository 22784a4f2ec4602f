#!/usr/bin/env bash
# Checks that the C++ sources are formatted as .clang-format says. Works in a git checkout and
# in an unpacked source archive alike: it looks at the files on disk, leaving out hidden
# folders and build folders (any folder with a CMakeCache.txt, and build*/ and out/ at the top).
set -euo pipefail
cd "$(dirname "$0")/.."
find . \( -name '.?*' -o -path './build*' -o -path ./out \
    -o -exec test -e '{}/CMakeCache.txt' ';' \) -prune \
    -o -type f \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 -r clang-format --dry-run -Werror
