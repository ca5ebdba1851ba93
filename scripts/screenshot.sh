#!/usr/bin/env bash
# Builds what is missing, opens the window under a virtual display with fresh
# settings and an installed Quillset driver, and saves it as docs/window.png;
# then the window in the middle of a batch of 60 text files, as
# docs/window-running.png (the batch is then stopped); then the driver's
# preferences window, as docs/quillset-preferences.png.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
out="${1:-$PWD/docs/window.png}"
preferences_out="${2:-$(dirname "$out")/quillset-preferences.png}"
running_out="${3:-$(dirname "$out")/window-running.png}"
# How long after the window shows it is taken mid-batch, in milliseconds:
# the offices' first start on fresh profiles takes most of it.
running_after="${PRESSMOOR_RUNNING_AFTER:-11000}"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j"$(nproc)" --target pressmoor quillset pressmoor-reg

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

# A batch under way: the window converts at start and is taken part-way.
mkdir -p "$work/Batch/Pdf"
for i in $(seq -w 1 60); do
  for paragraph in $(seq 1 700); do
    printf 'Weekly note %s, paragraph %s: nothing to report, all quiet on every front.\n\n' "$i" "$paragraph"
  done >"$work/Batch/note-$i.txt"
done
if [ -x "$build/bin/pressmoor-reg" ]; then
  reg add "$key\\Pathinfo" /v SourceDir /t REG_SZ /d "$work/Batch" /f
  reg add "$key\\Pathinfo" /v DestinationDir /t REG_SZ /d "$work/Batch/Pdf" /f
fi
PRESSMOOR_EVENT_LOG="$work/events.log" PRESSMOOR_CONVERT_AT_START=1 \
  PRESSMOOR_SCREENSHOT="$running_out" PRESSMOOR_SCREENSHOT_AFTER="$running_after" \
  xvfb-run -a -s "-screen 0 800x600x24" "$build/bin/pressmoor"
echo "Saved $running_out ($(ls "$work/Batch/Pdf" | grep -c '\.pdf$') PDFs when the batch was stopped)"

"$build/bin/quillset.exe" set PDFFormat PDF/A-2b
"$build/bin/quillset.exe" set PaperSize letter
PRESSMOOR_SCREENSHOT="$preferences_out" xvfb-run -a -s "-screen 0 800x600x24" \
  "$build/bin/quillset.exe" preferences
echo "Saved $preferences_out"
