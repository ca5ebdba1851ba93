#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit, GUI and
# LibreOffice integration tests, the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, a bounded fuzz run, and the conversion of the
# real-document corpus (skipped where the machine has none).
# PRESSMOOR_QUICK_TESTS=1 leaves out the sanitizer and fuzz runs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ "${PRESSMOOR_QUICK_TESTS:-0}" != 1 ]; then
  bash scripts/run-sanitizers.sh
  FUZZ_SECONDS="${FUZZ_SECONDS:-20}" bash scripts/run-fuzz.sh
fi
cd build
ctest --output-on-failure -j"$(nproc)"
cd ..
bash bench/corpus --check
bash scripts/test-slurm.sh
