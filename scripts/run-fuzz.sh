#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer in their own folder and runs
# each for a bounded time; a crash or a broken rule fails the script and leaves
# the input in <build>/fuzz-artifacts. Without clang the same checks run with
# a fixed seed from the unit tests instead.
# Usage: scripts/run-fuzz.sh [BUILD_DIRECTORY] [SECONDS_PER_TARGET]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build-fuzz"}
seconds=${2:-${FUZZ_SECONDS:-30}}
jobs=${JOBS:-$(nproc)}
targets=(fuzz_command_line fuzz_settings)

if ! command -v clang++ >/dev/null 2>&1; then
  echo "clang++ not found: running the seeded fuzz checks of the unit tests"
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPRESSMOOR_WERROR=ON >/dev/null
  cmake --build "$build" -j"$jobs" --target pressmoor_unit_tests >/dev/null
  exec "$build/bin/pressmoor_unit_tests" --gtest_filter='*Fuzz*'
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DPRESSMOOR_FUZZ=ON -DPRESSMOOR_WERROR=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$jobs" --target "${targets[@]}" >/dev/null

# Seeds: the first two bytes of a command-line input are getparameter's start.
seed() { mkdir -p "$build/fuzz-corpus/$1"; printf "$3" >"$build/fuzz-corpus/$1/$2"; }
seed fuzz_command_line typical '\x04\x00-f *.txt -s in -d out'
seed fuzz_command_line beside '\x01\x00-f *.* -s my docs -o landscape'
seed fuzz_command_line upward '\x00\x00-s in/sub/../.. -d -s'
seed fuzz_settings strings '\x00\x01\x00\x01\x05*.doc\x00\x01\x01\x04user'
seed fuzz_settings number '\x00\x01\x00\x04\x04\x2a\x00\x00\x00'
seed fuzz_settings damaged '\x02\x00\x00\x00\x10\x00\x00\x20\x00\x64\x00'
seed fuzz_settings damaged-value '\x02\x00\x10\x00\xf9\xdf\xff\x9b\x00'

# The settings store syncs every write; memory-backed scratch space keeps the
# fuzzer fast without changing what it exercises.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
mkdir -p "$build/fuzz-artifacts"
status=0
for target in "${targets[@]}"; do
  echo "== $target: $seconds s"
  if ! "$build/bin/$target" "$build/fuzz-corpus/$target" -max_total_time="$seconds" \
      -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/fuzz-artifacts/$target-" 2>"$build/fuzz-artifacts/$target.log"; then
    status=1
    echo "$target FAILED; log: $build/fuzz-artifacts/$target.log"
    grep -E "broken:|ERROR:|runtime error" "$build/fuzz-artifacts/$target.log" | head -5 || true
  else
    grep -E "stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb" "$build/fuzz-artifacts/$target.log" || true
  fi
done
exit "$status"
