#!/usr/bin/env bash
# The job-array script on a real scheduler: starts a single-node Slurm
# cluster on this machine from Debian's packages (munge, slurmctld and slurmd
# on localhost, all state in one private directory, no systemd, no cgroups),
# submits contrib/slurm/pressmoor-array.sbatch as 4 tasks over 48 generated
# documents, waits, checks that every document came out exactly once and
# every task exited 0, then stops the cluster and leaves nothing running.
# Run as root; installs its packages when missing.
#
#   bash scripts/test-slurm.sh
#
# PRESSMOOR_BIN: where pressmoor and quillset.exe are (default build/bin,
# built when missing). SLURM_TEST_DEADLINE: seconds the job may take (300).
# SLURM_TEST_KEEP=1 keeps the private directory (logs, task outputs, PDFs);
# it is always kept when the test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
repository=$PWD
started=$SECONDS

if [ "$(id -u)" != 0 ]; then
  echo "test-slurm: run as root (it starts the Slurm daemons)" >&2
  exit 2
fi

packages=(slurmctld slurmd slurm-client munge)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  # Under systemd the packages start their services at once; this test runs
  # daemons of its own and leaves the machine as it found it.
  if [ -d /run/systemd/system ]; then
    systemctl disable --now munge.service slurmd.service slurmctld.service >/dev/null 2>&1 || true
  fi
fi

bin=${PRESSMOOR_BIN:-$repository/build/bin}
if [ ! -x "$bin/pressmoor" ] || [ ! -x "$bin/quillset.exe" ]; then
  bash scripts/build.sh pressmoor quillset
fi
bin=$(cd "$bin" && pwd)

# Every process of the cluster and its jobs carries this directory in its
# environment (SLURM_CONF), which is how the clean-up finds them.
work=$(mktemp -d /tmp/pressmoor-slurm.XXXXXX)
chmod 755 "$work"  # munged wants its socket's directories open to all
mkdir -p "$work"/{munge,state,spool,log,jobs,in,out}
export SLURM_CONF=$work/slurm.conf
daemons=()
failed=0

carriers() {
  local pid
  for pid in $(ls /proc | grep -E '^[0-9]+$'); do
    [ "$pid" = $$ ] && continue
    grep -qsF "SLURM_CONF=$SLURM_CONF" "/proc/$pid/environ" 2>/dev/null && echo "$pid"
  done
  return 0
}

stop_cluster() {
  local pid left
  if [ -n "${job:-}" ]; then scancel "$job" 2>/dev/null || true; fi
  for _ in $(seq 50); do
    [ -z "$(squeue -h 2>/dev/null)" ] && break
    sleep 0.2
  done
  # slurmd and slurmctld first, munged last: they talk to it while stopping.
  for ((i = ${#daemons[@]} - 1; i >= 0; i--)); do
    kill "${daemons[i]}" 2>/dev/null || true
    wait "${daemons[i]}" 2>/dev/null || true
  done
  left=$(carriers)
  if [ -n "$left" ]; then
    echo "test-slurm: stopping what was left: $(echo $left)" >&2
    kill -KILL $left 2>/dev/null || true
    sleep 1
  fi
  left=$(carriers)
  if [ -n "$left" ]; then
    echo "test-slurm: still running: $(echo $left)" >&2
    failed=1
  fi
  if [ "$failed" = 0 ] && [ "${SLURM_TEST_KEEP:-0}" != 1 ]; then
    rm -rf "$work"
  else
    echo "test-slurm: logs kept in $work" >&2
  fi
}
finish() {
  [ "$1" = 0 ] || failed=1
  stop_cluster
  echo "test-slurm: $([ $failed = 0 ] && echo passed || echo FAILED) in $((SECONDS - started)) s"
  exit $failed
}
trap 'finish $?' EXIT
trap 'failed=1; exit' INT TERM

fail() {
  echo "test-slurm: $*" >&2
  failed=1
  exit 1
}

# ---- munge, on a private socket with a key of its own ------------------------
head -c 1024 /dev/urandom >"$work/munge/key"
chmod 400 "$work/munge/key"
munged --foreground --socket="$work/munge/socket" --key-file="$work/munge/key" \
  --log-file="$work/munge/log" --pid-file="$work/munge/pid" --seed-file="$work/munge/seed" \
  >"$work/log/munged.out" 2>&1 &
daemons+=($!)
for _ in $(seq 50); do
  munge -S "$work/munge/socket" -n 2>/dev/null | unmunge -S "$work/munge/socket" >/dev/null 2>&1 && break
  sleep 0.1
done
munge -S "$work/munge/socket" -n | unmunge -S "$work/munge/socket" >/dev/null || fail "munged did not start"

# ---- slurmctld and slurmd --------------------------------------------------
free_port() {
  local port=$1
  while (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do port=$((port + 1)); done
  echo "$port"
}
host=$(hostname -s)
ctld_port=$(free_port 26817)
slurmd_port=$(free_port $((ctld_port + 1)))
memory=$(awk '/MemTotal/ { print int($2 / 1024 * 0.9) }' /proc/meminfo)
cat >"$SLURM_CONF" <<EOF
ClusterName=pressmoortest
SlurmctldHost=$host(127.0.0.1)
SlurmctldPort=$ctld_port
SlurmdPort=$slurmd_port
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
AuthInfo=socket=$work/munge/socket
CredType=cred/munge
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/state/slurmctld.pid
SlurmdPidFile=$work/spool/slurmd.pid
SlurmctldLogFile=$work/log/slurmctld.log
SlurmdLogFile=$work/log/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
ReturnToService=2
MpiDefault=none
MailProg=/bin/true
MinJobAge=600
NodeName=$host NodeAddr=127.0.0.1 CPUs=$(nproc) RealMemory=$memory State=UNKNOWN
PartitionName=test Nodes=$host Default=YES MaxTime=INFINITE State=UP
EOF
slurmctld -D -f "$SLURM_CONF" >"$work/log/slurmctld.out" 2>&1 &
daemons+=($!)
slurmd -D -f "$SLURM_CONF" >"$work/log/slurmd.out" 2>&1 &
daemons+=($!)
for _ in $(seq 150); do
  [ "$(sinfo -h -N -o %T 2>/dev/null)" = idle ] && break
  sleep 0.2
done
[ "$(sinfo -h -N -o %T 2>/dev/null)" = idle ] || {
  tail -n 20 "$work/log/slurmctld.log" "$work/log/slurmd.log" >&2 || true
  fail "the node did not come up"
}
echo "Cluster up after $((SECONDS - started)) s: node $host, $(nproc) CPUs, ports $ctld_port/$slurmd_port"

# ---- 48 documents: text, rich text and web pages written here, word
# processor documents and workbooks copied from the examples ----------------
documents=()
for i in $(seq -w 1 40); do
  case $((10#$i % 3)) in
    0) name="note $i.txt"; printf 'Note %s\n\nMarker word-%s-marker.\n' "$i" "$i" >"$work/in/$name" ;;
    1) name="letter-$i.rtf"; printf '{\\rtf1\\ansi {\\b Letter %s}\\par Marker word-%s-marker.\\par}\n' "$i" "$i" >"$work/in/$name" ;;
    2) name="page_$i.html"; printf '<html><body><h1>Page %s</h1><p>Marker word-%s-marker.</p></body></html>\n' "$i" "$i" >"$work/in/$name" ;;
  esac
  documents+=("$name")
done
for i in 1 2 3 4; do
  cp examples/memo.doc "$work/in/memo $i.doc"
  cp examples/budget.xls "$work/in/budget $i.xls"
  documents+=("memo $i.doc" "budget $i.xls")
done

# ---- the job array -----------------------------------------------------------
# One CPU a task instead of the script's two, so that two tasks share this
# machine and write into the one destination at the same time.
unset PRESSMOOR_MACHINE_ROOT PRESSMOOR_USER_ROOT PRESSMOOR_EVENT_LOG
job=$(sbatch --parsable --array=0-3 --cpus-per-task=1 --mem=1G --chdir="$work/jobs" \
  --output="$work/jobs/task-%a.out" --export="ALL,PRESSMOOR=$bin/pressmoor" \
  contrib/slurm/pressmoor-array.sbatch '*.*' "$work/in" "$work/out")
echo "Submitted array job $job"
deadline=$((SECONDS + ${SLURM_TEST_DEADLINE:-300}))
while [ -n "$(squeue -h -j "$job" 2>/dev/null)" ]; do
  [ $SECONDS -lt $deadline ] || fail "job $job still running after ${SLURM_TEST_DEADLINE:-300} s"
  sleep 1
done
echo "Job done after $((SECONDS - started)) s"

# ---- checks --------------------------------------------------------------------
records=$(scontrol -o show job "$job")
[ "$(grep -c 'ArrayTaskId=' <<<"$records")" = 4 ] || fail "expected 4 task records: $records"
while read -r record; do
  task=$(grep -o 'ArrayTaskId=[0-9]*' <<<"$record")
  grep -q 'JobState=COMPLETED' <<<"$record" && grep -q ' ExitCode=0:0' <<<"$record" ||
    { cat "$work/jobs/task-${task#*=}.out" >&2 || true; fail "$task did not end with status 0: $record"; }
done <<<"$records"

total=0
for task in 0 1 2 3; do
  out=$work/jobs/task-$task.out
  count=$(sed -n 's/.*Successfully converted \([0-9]*\) files.*/\1/p' "$out")
  [ -n "$count" ] && [ "$count" -gt 0 ] || { cat "$out" >&2; fail "task $task converted nothing"; }
  grep -q '^exit status 0$' "$out" || { cat "$out" >&2; fail "task $task: pressmoor did not exit 0"; }
  echo "Task $task: $count files"
  total=$((total + count))
done
# Summaries adding up to the number of documents, with one PDF for each:
# no document was converted twice or left out.
[ "$total" = ${#documents[@]} ] || fail "the tasks converted $total files, not ${#documents[@]}"
for name in "${documents[@]}"; do
  pdf="$work/out/${name%.*}.pdf"
  [ -s "$pdf" ] && [[ $(tail -c 64 "$pdf" | tr -d '\0') == *%%EOF* ]] || fail "no whole PDF for $name"
  if [[ $name =~ ([0-9]+)\.(txt|rtf|html)$ ]] && command -v pdftotext >/dev/null; then
    [[ $(pdftotext "$pdf" -) == *"word-${BASH_REMATCH[1]}-marker"* ]] || fail "$pdf does not hold the text of $name"
  fi
done
extra=$(find "$work/out" -mindepth 1 ! -name '*.pdf')
[ -z "$extra" ] || fail "left in the destination: $extra"
[ "$(find "$work/out" -name '*.pdf' | wc -l)" = ${#documents[@]} ] || fail "more PDFs than documents"
echo "Every one of the ${#documents[@]} documents came out exactly once; every task exited 0"
