#!/usr/bin/env bash
# Installs what is missing, builds, installs the Quillset driver into the
# machine root and converts the bundled example documents.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh pressmoor pressmoor-reg quillset
export PRESSMOOR_MACHINE_ROOT="${PRESSMOOR_MACHINE_ROOT:-/var/lib/pressmoor}"
build/bin/quillset.exe install
out="${1:-$PWD/out/examples}"
mkdir -p "$out"
status=0
build/bin/pressmoor -f '*.*' -s "$PWD/examples" -d "$out" || status=$?
echo "Converted into $out (exit status $status):"
ls -l "$out"
exit "$status"
