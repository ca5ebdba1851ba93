#!/usr/bin/env bash
# The systemd user units as this build would install them: systemd-analyze
# verify accepts all four, the watch service's command line runs as systemd
# expands it, and pressmoor-watch waits for a quiet folder and runs once more
# for a change made during a run.
# Usage: systemd_units_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
bin="$build_dir/bin"
watch="$source_dir/contrib/systemd/pressmoor-watch"

fail() {
  echo "systemd-units: FAILED: $*" >&2
  exit 1
}
step() { echo "systemd-units: $*"; }
for tool in "$bin/pressmoor" "$bin/quillset.exe"; do
  [ -x "$tool" ] || fail "$tool is not built"
done
command -v systemd-analyze >/dev/null || fail "systemd-analyze is missing (package systemd, scripts/install-deps.sh)"

work=$(mktemp -d /tmp/pressmoor-units-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
home="$work/home"
mkdir -p "$home/.config/pressmoor/scheduled" "$work/units"
source "$source_dir/scripts/lib/unit-command.sh"

# The units with this build's programs where the installed ones would be.
for unit in pressmoor@.service pressmoor@.timer pressmoor-watch@.service pressmoor-watch@.path; do
  template="$source_dir/contrib/systemd/$unit"
  [ -f "$template" ] || template="$template.in"
  sed -e "s|@CMAKE_INSTALL_FULL_BINDIR@|$bin|g" -e "s|@PRESSMOOR_HELPER_FULL_DIR@|$(dirname "$watch")|g" \
    "$template" >"$work/units/${unit/@/@nightly}"
  ! grep -n '@[A-Z_]*@' "$work/units/${unit/@/@nightly}" || fail "$unit names a path this test does not fill in"
done

step "systemd-analyze verify"
# It also looks up the units' man:pressmoor(1), here this build's page.
mkdir -p "$work/man/man1"
cp "$build_dir/docs/man/pressmoor.1.gz" "$work/man/man1/" || fail "the manual page is not built"
MANPATH="$work/man" systemd-analyze verify "$work"/units/* || fail "systemd-analyze verify"
[ "$(unit_value "$work/units/pressmoor-watch@nightly.path" Unit)" = pressmoor-watch@%i.service ] ||
  fail "the path unit starts another service"
[ "$(unit_value "$work/units/pressmoor-watch@nightly.service" EnvironmentFile)" = \
  "$(unit_value "$work/units/pressmoor@nightly.service" EnvironmentFile)" ] ||
  fail "the watch service reads another environment file than the scheduled one"

step "the watch service's command line, as systemd expands it"
service="$work/units/pressmoor-watch@nightly.service"
env_file=$(specifiers "$(unit_value "$service" EnvironmentFile)" nightly)
in="$work/my in-box"
mkdir -p "$in"
cp "$source_dir/examples/minutes.txt" "$source_dir/examples/notice.rtf" "$in/"
cat >"$env_file" <<END
PRESSMOOR_FILES=*.txt
PRESSMOOR_SOURCE=$in
PRESSMOOR_DESTINATION=
PRESSMOOR_OPTIONS=-o landscape
PRESSMOOR_QUIET_SECONDS=1
END
mapfile -t command < <(unit_command "$service" nightly "$env_file")
[ "${command[*]}" = "$watch $in $bin/pressmoor -u -k -f *.txt -s $in -d  -o landscape" ] ||
  fail "the unit's command line is: ${command[*]}"
# systemd hands the environment file's values to the command as well.
mapfile -t variables < <(grep -v '^#' "$env_file")
as_systemd() {
  env PRESSMOOR_MACHINE_ROOT="$work/machine" PRESSMOOR_USER_ROOT="$work/user" \
    PRESSMOOR_EVENT_LOG="$work/events.log" HOME="$home" "${variables[@]}" "$@"
}
as_systemd "$bin/quillset.exe" install >/dev/null || fail "the driver did not install"
as_systemd "${command[@]}" || fail "the unit's command line ended with $?"
[ "$(head -c 5 "$in/minutes.pdf")" = %PDF- ] || fail "no PDF of minutes.txt"
[ ! -e "$in/notice.pdf" ] || fail "the unit converted more than its *.txt"
as_systemd "${command[@]}" || fail "the second run ended with $?"
[ "$(tail -n1 "$work/events.log" | cut -f3)" = "1 file was already up to date" ] ||
  fail "the second run did not find minutes.txt up to date: $(tail -n1 "$work/events.log")"

step "pressmoor-watch waits for a quiet folder"
folder="$work/watched"
mkdir -p "$folder"
(for _ in 1 2 3 4 5; do date +%s.%N >"$folder/growing.doc"; sleep 0.4; done) &
writer=$!
sleep 0.2
PRESSMOOR_QUIET_SECONDS=1 "$watch" "$folder" sh -c 'date +%s.%N >"$0/../started"' "$folder"
wait "$writer"
awk -v last="$(cat "$folder/growing.doc")" -v started="$(cat "$work/started")" \
  'BEGIN { exit !(started - last >= 0.9) }' || fail "the batch started before the folder was quiet for a second"

step "pressmoor-watch runs once more for a change made during a run"
cat >"$work/batch" <<'END'
#!/bin/sh
# Counts its runs; the first one brings a new file, as a user might meanwhile.
runs=$(($(cat "$1/../runs" 2>/dev/null || echo 0) + 1))
echo "$runs" >"$1/../runs"
[ "$runs" = 1 ] && echo new >"$1/new.doc"
exit 3
END
chmod +x "$work/batch"
status=0
PRESSMOOR_QUIET_SECONDS=0 "$watch" "$folder" "$work/batch" "$folder" || status=$?
[ "$(cat "$work/runs")" = 2 ] || fail "$(cat "$work/runs") runs instead of 2"
[ "$status" = 3 ] || fail "pressmoor-watch ended with $status, not with its last run's 3"
rm "$work/runs"
PRESSMOOR_QUIET_SECONDS=0 "$watch" "$folder" sh -c 'echo 1 >>"$0/../runs"; echo pdf >"$0/out.pdf"' "$folder"
[ "$(wc -l <"$work/runs")" = 1 ] || fail "a PDF written by the run started another"
step "passed"
