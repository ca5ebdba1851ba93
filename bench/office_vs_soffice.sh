#!/bin/sh
# Times 100 generated small files through Pressmoor's office objects against
# `soffice --headless --convert-to pdf`, and prints the ratio.
# Usage: bench/office_vs_soffice.sh [BUILD_DIRECTORY]
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-"$source_dir/build"}
cmake -S "$source_dir" -B "$build_dir" >/dev/null
cmake --build "$build_dir" --target office_bench -j2 >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build_dir/bin/office_bench" "$work"
