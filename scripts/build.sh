#!/usr/bin/env bash
# Configures (once) and builds incrementally into build/: the given targets,
# or everything. Warnings are errors here.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! grep -qx 'PRESSMOOR_WERROR:BOOL=ON' build/CMakeCache.txt 2>/dev/null; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPRESSMOOR_WERROR=ON
fi
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build build -j"$(nproc)" "${targets[@]}"
