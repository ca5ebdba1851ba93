#!/usr/bin/env bash
# Builds what is missing, opens the window under a virtual display with fresh
# settings and an installed Quillset driver, and saves it as docs/window.png;
# then the driver's preferences window, as docs/quillset-preferences.png.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
out="${1:-$PWD/docs/window.png}"
preferences_out="${2:-$(dirname "$out")/quillset-preferences.png}"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j"$(nproc)" --target pressmoor quillset

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export PRESSMOOR_MACHINE_ROOT="$work/machine" PRESSMOOR_USER_ROOT="$work/user"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$PRESSMOOR_MACHINE_ROOT" "$PRESSMOOR_USER_ROOT" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
"$build/bin/quillset.exe" install >/dev/null

# Something to show in both columns.
mkdir -p "$work/Documents/Letters" "$work/Documents/Reports" "$work/Documents/Pdf"
for name in invoice-2024.txt minutes.txt notes.txt readme.txt; do echo "$name" >"$work/Documents/$name"; done
printf '%%PDF-1.4\n' >"$work/Documents/Pdf/minutes.pdf"
reg() { "$build/bin/pressmoor-reg" "$@" >/dev/null; }
if [ -x "$build/bin/pressmoor-reg" ]; then
  key='HKLM\Software\Tarnwick\Pressmoor'
  reg add "$key\\Pathinfo" /v SourceDir /t REG_SZ /d "$work/Documents" /f || true
  reg add "$key\\Pathinfo" /v DestinationDir /t REG_SZ /d "$work/Documents/Pdf" /f || true
  reg add "$key\\FileInfo" /v DefaultFileType /t REG_SZ /d 2 /f || true
fi

mkdir -p "$(dirname "$out")"
PRESSMOOR_SCREENSHOT="$out" xvfb-run -a -s "-screen 0 800x600x24" "$build/bin/pressmoor"
echo "Saved $out"

"$build/bin/quillset.exe" set PDFFormat PDF/A-2b
"$build/bin/quillset.exe" set PaperSize letter
PRESSMOOR_SCREENSHOT="$preferences_out" xvfb-run -a -s "-screen 0 800x600x24" \
  "$build/bin/quillset.exe" preferences
echo "Saved $preferences_out"
