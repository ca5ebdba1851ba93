#!/usr/bin/env bash
# Installs the Debian package on this machine, as root, and uses it as a user
# would, away from the source and build trees: --help and --version, a folder
# converted by /usr/bin/pressmoor, the window opened from the desktop entry, a
# scheduled batch run as its systemd unit and as its crontab line would run
# it. Then removes and purges the package and checks that nothing of it is
# left. The runs are made as the user nobody.
# Usage: scripts/test-package.sh [PACKAGE.deb]; without one, scripts/package.sh
# builds it. A machine root already in /var/lib/pressmoor is set aside and
# put back afterwards.
set -euo pipefail
shopt -u patsub_replacement 2>/dev/null || true  # an "&" in a value stays an "&"
cd "$(dirname "$0")/.."
source_dir=$PWD
machine_root=/var/lib/pressmoor
user=nobody

fail() {
  echo "test-package: FAILED: $*" >&2
  exit 1
}
step() { echo "test-package: $*"; }

[ "$(id -u)" = 0 ] || fail "run as root: it installs and purges the package"
if dpkg-query -W -f='${Status}' pressmoor 2>/dev/null | grep -q 'ok installed'; then
  fail "pressmoor is installed on this machine already; purge it first (dpkg --purge pressmoor)"
fi

if [ $# -gt 0 ]; then
  deb=$(realpath "$1")
else
  bash scripts/package.sh
  deb=$(ls -t "$source_dir"/dist/pressmoor_*_"$(dpkg --print-architecture)".deb | head -n1)
fi
version=$(dpkg-deb -f "$deb" Version)

work=$(mktemp -d /tmp/pressmoor-package-test.XXXXXX)
chmod 755 "$work"
saved=""
installed=0
x11_existed=$([ -d /tmp/.X11-unix ] && echo 1 || echo 0)
# Another apt-get or dpkg on this machine may hold dpkg's lock for a while.
dpkg_waiting() {
  for _ in $(seq 90); do
    dpkg "$@" >>"$work/dpkg.log" 2>&1 && return 0
    grep -q 'lock' < <(tail -n 3 "$work/dpkg.log") || break
    sleep 2
  done
  cat "$work/dpkg.log" >&2
  return 1
}
cleanup() {
  if [ "$installed" = 1 ]; then
    dpkg_waiting --purge pressmoor || echo "test-package: could not purge pressmoor" >&2
  fi
  if [ -n "$saved" ]; then
    rm -rf "$machine_root"
    mv "$saved/pressmoor" "$machine_root" && rmdir "$saved"
  fi
  # The X server of the window's test makes its socket directory when missing.
  [ "$x11_existed" = 1 ] || rmdir /tmp/.X11-unix 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

if [ -e "$machine_root" ]; then
  saved=$(mktemp -d /var/lib/.pressmoor-set-aside.XXXXXX)
  mv "$machine_root" "$saved/pressmoor"
fi

# Every name of the package's own, before and after, and what the user's runs
# leave in the temporary directories but the office profile kept to start
# the next office faster.
template=/tmp/pressmoor-profile-template-$(id -u "$user")
# Files come and go under find's feet on a busy machine: what it could not
# read is no failure. The formatted pages man keeps in its cache are man's,
# which it expires itself, as it does for every package.
traces() {
  { find /usr /etc /var /opt /root /home /srv -xdev -path /var/cache/man -prune -o \
      \( -iname '*pressmoor*' -o -iname '*quillset*' \) -print 2>/dev/null || true; } |
    { grep -v "^${saved:-/nowhere}" || true; } | sort
}
user_traces() {
  { find /tmp /var/tmp /dev/shm -xdev -user "$user" ! -path "$work" ! -path "$work/*" \
      ! -path "$template" ! -path "$template/*" ! -path '/tmp/.X*' -print 2>/dev/null || true; } | sort
}
traces >"$work/traces.before"
user_traces >"$work/user-traces.before"
pgrep -u "$user" | sort >"$work/processes.before" || true

# ---- install ----
step "installing $(basename "$deb")"
installed=1
dpkg_waiting -i "$deb" || fail "dpkg -i"
for file in /usr/bin/pressmoor /usr/bin/pressmoor-reg /usr/share/man/man1/pressmoor.1.gz \
  /usr/share/man/man1/pressmoor-reg.1.gz /usr/share/applications/pressmoor.desktop \
  /usr/share/icons/hicolor/scalable/apps/pressmoor.svg /usr/share/doc/pressmoor/README.md \
  /usr/lib/systemd/user/pressmoor@.service /usr/lib/systemd/user/pressmoor@.timer \
  /usr/lib/systemd/user/pressmoor-watch@.service /usr/lib/systemd/user/pressmoor-watch@.path \
  /usr/libexec/pressmoor/pressmoor-watch \
  "$machine_root/system32/spool/drivers/x64/3/quillset.exe"; do
  [ -f "$file" ] || fail "$file is missing after the install"
done
grep -q 'REG_SZ    1\.20' <<<"$(/usr/bin/pressmoor-reg query 'HKLM\SOFTWARE\Tarnwick\Quillset' /v version)" ||
  fail "the install recorded no Quillset version"
desktop-file-validate /usr/share/applications/pressmoor.desktop || fail "desktop-file-validate"
if readelf -d /usr/bin/pressmoor /usr/bin/pressmoor-reg /usr/libexec/pressmoor/quillset.exe |
  grep -E 'R(UN)?PATH' | grep -F "$source_dir"; then
  fail "an installed program looks for libraries in the source tree"
fi
step "lintian"
lintian --fail-on error "$deb" || fail "lintian reports errors"

# ---- as a user, without the source and build trees ----
home="$work/home"
mkdir -p "$home"
chown "$user" "$home"
# A clean environment, as cron and systemd give: no DISPLAY, no build paths.
as_user() {
  (cd "$home" && setpriv --reuid="$user" --regid=nogroup --clear-groups \
    env -i HOME="$home" USER="$user" LOGNAME="$user" PATH=/usr/bin:/bin LANG=C.UTF-8 "$@")
}
folder() {  # folder DIR FILE...: a user's folder holding copies of the examples
  local dir=$1
  shift
  mkdir -p "$dir"
  for name in "$@"; do cp "$source_dir/examples/$name" "$dir/"; done
  chown -R "$user" "$dir"
}
expect_pdfs() {  # expect_pdfs DIR NAME...: a whole PDF for each name
  for name in "${@:2}"; do
    [ "$(head -c 5 "$1/$name.pdf" 2>/dev/null)" = %PDF- ] || fail "no PDF $1/$name.pdf"
    grep -aq '%%EOF' < <(tail -c 64 "$1/$name.pdf") || fail "$1/$name.pdf is cut short"
  done
}

step "--help and --version"
as_user /usr/bin/pressmoor --help >"$work/help" || fail "--help did not exit with 0"
{ grep -q '^Usage: pressmoor' "$work/help" && grep -q '^  -k ' "$work/help"; } ||
  fail "--help printed no usage with -k on standard output"
grep -q '^Usage: pressmoor' <<<"$(script -qec "/usr/bin/pressmoor --help" /dev/null)" ||
  fail "--help on a terminal"
[ "$(as_user /usr/bin/pressmoor --version)" = "pressmoor $version" ] || fail "--version"
[ "$(man -w pressmoor)" = /usr/share/man/man1/pressmoor.1.gz ] || fail "man -w pressmoor"

step "the desktop entry opens the window"
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/pressmoor.desktop)
[ "$exec_line" = pressmoor ] || fail "the desktop entry runs '$exec_line', not the window"
# The window saves itself to PRESSMOOR_SCREENSHOT once shown, then ends. The
# X server is the test's, and so are its files in /tmp.
mkdir -m 700 "$home/runtime" && chown "$user" "$home/runtime"
as_user xvfb-run -a env XDG_RUNTIME_DIR="$home/runtime" PRESSMOOR_SCREENSHOT="$home/window.png" "$exec_line" ||
  fail "the window did not open"
[ "$(head -c 4 "$home/window.png" | tail -c 3)" = PNG ] || fail "the window showed nothing"

step "converting a folder with /usr/bin/pressmoor"
folder "$work/in" budget.xls inventory.xls memo.doc minutes.txt notice.rtf schedule.html welcome.htm
mkdir -p "$work/out" && chown "$user" "$work/out"
as_user /usr/bin/pressmoor -f '*.*' -s "$work/in" -d "$work/out" ||
  fail "pressmoor -f '*.*' ended with $? (see $home/.config/pressmoor/events.log)"
expect_pdfs "$work/out" budget inventory memo minutes notice schedule welcome
grep -q 'Successfully converted 7 files' "$home/.config/pressmoor/events.log" || fail "no summary in the event log"

source "$source_dir/scripts/lib/unit-command.sh"

step "a scheduled batch, as pressmoor@nightly.service runs it"
service=/usr/lib/systemd/user/pressmoor@.service
env_file=$(specifiers "$(unit_value "$service" EnvironmentFile)" nightly)
[ "$env_file" = "$home/.config/pressmoor/scheduled/nightly.env" ] || fail "EnvironmentFile is $env_file"
for name in $(grep -o '\$[{]*[A-Z_]*' <<<"$(unit_value "$service" ExecStart)" | tr -d '${'); do
  grep -q "^$name=" /usr/share/doc/pressmoor/examples/letters.env || fail "letters.env does not set $name"
done
folder "$work/my in-box" minutes.txt notice.rtf memo.doc
mkdir -p "$(dirname "$env_file")"
cat >"$env_file" <<END
# blanks and dashes inside values
PRESSMOOR_FILES=*.txt
PRESSMOOR_SOURCE=$work/my in-box
PRESSMOOR_DESTINATION=
PRESSMOOR_OPTIONS=-k -o landscape
END
chown -R "$user" "$home/.config"
if command -v systemd-analyze >/dev/null; then
  mkdir -p "$work/units"
  cp "$service" "$work/units/pressmoor@nightly.service"
  cp /usr/lib/systemd/user/pressmoor@.timer "$work/units/pressmoor@nightly.timer"
  cp /usr/lib/systemd/user/pressmoor-watch@.service "$work/units/pressmoor-watch@nightly.service"
  cp /usr/lib/systemd/user/pressmoor-watch@.path "$work/units/pressmoor-watch@nightly.path"
  systemd-analyze verify "$work/units/pressmoor@nightly.service" "$work/units/pressmoor@nightly.timer" \
    "$work/units/pressmoor-watch@nightly.service" "$work/units/pressmoor-watch@nightly.path" ||
    fail "systemd-analyze verify"
fi
unit_command "$service" nightly "$env_file" >"$work/command"
mapfile -t command <"$work/command"
[ "${command[*]}" = "/usr/bin/pressmoor -f *.txt -s $work/my in-box -d  -k -o landscape" ] ||
  fail "the unit's command line is: ${command[*]}"
as_user "${command[@]}" || fail "the unit's command line ended with $?"
expect_pdfs "$work/my in-box" minutes
[ ! -e "$work/my in-box/notice.pdf" ] || fail "the unit converted more than its *.txt"

step "a scheduled batch, as its crontab line runs it"
line=$(grep -v '^[[:space:]]*#' /usr/share/doc/pressmoor/examples/pressmoor.crontab | grep .)
folder "$home/letters" memo.doc minutes.txt
mkdir -p "$home/letters/pdf" && chown "$user" "$home/letters/pdf"
as_user env SHELL=/bin/sh /bin/sh -c "$(cut -d' ' -f6- <<<"$line")" || fail "the crontab line ended with $?"
expect_pdfs "$home/letters/pdf" memo
[ ! -e "$home/letters/pdf/minutes.pdf" ] || fail "the crontab line converted more than its *.doc"

# The offices of the last run may take a moment to go.
for _ in $(seq 50); do
  left=$(comm -13 "$work/processes.before" <(pgrep -u "$user" | sort))
  [ -n "$left" ] || break
  sleep 0.2
done
[ -z "$left" ] || fail "processes of $user are left: $(ps -o pid=,args= -p "${left//$'\n'/,}")"
user_traces >"$work/user-traces.after"
# Reported at the end, so that removing and purging are tested all the same.
left_by_runs=$(comm -13 "$work/user-traces.before" "$work/user-traces.after")

# ---- remove, purge ----
step "removing and purging"
dpkg_waiting -r pressmoor || fail "dpkg -r"
[ ! -e "$machine_root/system32/spool/drivers/x64/3/quillset.exe" ] || fail "removing left the driver's helper"
[ -d "$machine_root" ] || fail "removing took the settings store, which only purging should"
dpkg_waiting --purge pressmoor || fail "dpkg --purge"
installed=0
[ ! -e "$machine_root" ] || fail "purging left $machine_root"
while read -r path; do
  [ -d "$path" ] || [ ! -e "$path" ] || fail "purging left $path"
done < <(dpkg-deb -c "$deb" | awk '{print substr($6, 2)}')
traces >"$work/traces.after"
diff "$work/traces.before" "$work/traces.after" >&2 || fail "the package left files behind"
[ -z "$left_by_runs" ] || fail "the runs of $user left in the temporary directories:"$'\n'"$left_by_runs"
step "passed"
