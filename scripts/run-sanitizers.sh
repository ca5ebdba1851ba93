#!/usr/bin/env bash
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# their own folder and runs the unit tests, then the integration tests (set
# INTEGRATION=0 to skip those). Any report fails the run.
# Usage: scripts/run-sanitizers.sh [BUILD_DIRECTORY]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build-asan"}
jobs=${JOBS:-$(nproc)}
integration=${INTEGRATION:-1}

# -O1 with line tables only: reports keep their file and line, the build stays
# quick. GCC's flow analysis under ASan warns falsely inside <regex>.
cmake -S "$root" -B "$build" -DPRESSMOOR_SANITIZE=ON -DPRESSMOOR_WERROR=ON -DCMAKE_BUILD_TYPE=None \
  -DCMAKE_CXX_FLAGS="-O1 -g1 -Wno-maybe-uninitialized" >/dev/null
# Some unit tests run the command-line tools.
targets=(pressmoor_unit_tests pressmoor-reg quillset)
if [ "$integration" != 0 ] && grep -q '^pressmoor_integration_tests:' "$build/Makefile" 2>/dev/null; then
  targets+=(pressmoor_integration_tests pressmoor)
fi
cmake --build "$build" -j"$jobs" --target "${targets[@]}" >/dev/null

# The office's own libraries are not instrumented, and the type descriptions
# of its generated headers live as long as the process on purpose.
suppressions="$build/lsan-suppressions.txt"
cat >"$suppressions" <<'LIST'
leak:/usr/lib/libreoffice/
leak:libuno_
leak:libgcc3_uno
leak:libreglo
leak:libunoidllo
leak:libxmlreaderlo
leak:libstorelo
leak:libfontconfig
leak:cppu_detail_getUnoType
leak:/uno_headers/
LIST
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$suppressions}

echo "== unit tests under ASan+UBSan"
"$build/bin/pressmoor_unit_tests" --gtest_brief=1
if [[ " ${targets[*]} " == *" pressmoor_integration_tests "* ]]; then
  echo "== integration tests under ASan+UBSan"
  "$build/bin/pressmoor_integration_tests" --gtest_brief=1
fi
