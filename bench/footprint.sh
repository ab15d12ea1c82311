#!/usr/bin/env bash
# footprint.sh <bin folder>: what the engine costs beside a native monitor.
# scripts/bench.sh runs it inside its Wine prefix, X display and wine
# server, beside a POP3 server on loopback (tests/support/with_dovecot.sh
# exports its port).
#
# Starts the whole engine through corvex32.exe at its default 1 Hz, every
# Sentinel holding readouts (the Net Sentinel pings 127.0.0.1 each second,
# the Mail Sentinel checks a mailbox each minute), and GKrellM at 1 Hz
# with a home of its own on the same display. Beside them runs the floor,
# footprint_floor.exe: a bare window program repainting a text at 1 Hz in
# the same prefix, wine server and display, which shows what Wine itself
# charges any program of the engine's shape. After a settling time it
# measures, in one window of time, the processor time (utime + stime of
# /proc/PID/stat) and the proportional set size (Pss of smaps_rollup,
# sampled every 10 s) of the engine, the floor and GKrellM, and prints the
# ratios; the wine server and Wine's service processes are shown beside
# them, not counted (a Windows user does not pay them). Then it counts the
# system calls per tick of the engine and of the floor by kind with strace.
#
#   CORVEX_FOOTPRINT_SECONDS  the measuring window (120)
#   CORVEX_FOOTPRINT_SETTLE   the wait before it (10)
#   CORVEX_FOOTPRINT_STRACE   seconds of system-call counting (20; 0: none)
set -euo pipefail

bin=$1
window=${CORVEX_FOOTPRINT_SECONDS:-120}
settle=${CORVEX_FOOTPRINT_SETTLE:-10}
traced=${CORVEX_FOOTPRINT_STRACE:-20}
work=$(mktemp -d "${TMPDIR:-/tmp}/corvex-footprint.XXXXXX")
gkrellm_pid=
engine_pid=
floor_pid=
# Every step may fail (a process already gone, GKrellM's status after the
# signal): none of them may end the clean-up under set -e.
finish() {
  { [ -n "$gkrellm_pid" ] && kill "$gkrellm_pid" 2>/dev/null && wait "$gkrellm_pid" 2>/dev/null; } || true
  { [ -n "$engine_pid" ] && kill "$engine_pid" 2>/dev/null; } || true
  { [ -n "$floor_pid" ] && kill "$floor_pid" 2>/dev/null; } || true
  rm -rf "$work"
}
trap finish EXIT

say() { printf '%s\n' "$*"; }

# Whether a /proc entry is a process of this Wine prefix.
ours() { cat "$1/environ" 2>/dev/null | tr '\0' '\n' | grep -qxF "WINEPREFIX=$WINEPREFIX"; }

# Processes of this Wine prefix whose command line holds $1.
prefix_pids() {
  local p
  for p in /proc/[0-9]*; do
    ours "$p" || continue
    cat "$p/cmdline" 2>/dev/null | tr '\0' ' ' | grep -qF -- "$1" && echo "${p#/proc/}"
  done
  return 0
}

# Processor time of a process in nanoseconds, two ways: "<from stat>
# <from schedstat>". utime + stime of /proc/PID/stat count every thread the
# process ever had but only in whole clock ticks (10 ms); the run times in
# the schedstat of its threads are exact but leave out threads that ended.
# Each is a lower bound: the larger difference of the two is the figure.
cpu_mark() {
  local stat t sched=0 ns
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || { echo "0 0"; return; }
  for t in /proc/"$1"/task/*/schedstat; do
    read -r ns _ <"$t" 2>/dev/null && sched=$((sched + ns))
  done
  # After the command name in parentheses: state is field 3, utime 14, stime 15.
  stat=${stat##*) }
  awk -v hz="$hz" -v sched="$sched" '{printf "%.0f %d\n", ($12 + $13) * 1e9 / hz, sched}' <<<"$stat"
}
# The summed marks of several processes.
sum_marks() {
  local p
  for p in "$@"; do cpu_mark "$p"; done | awk '{a += $1; b += $2} END {printf "%.0f %.0f\n", a, b}'
}
# Nanoseconds between two marks.
cpu_used() { awk -v a="$1" -v b="$2" 'BEGIN {split(a, x, " "); split(b, y, " "); s = y[1] - x[1]; t = y[2] - x[2]; print (s > t ? s : t)}'; }
# A field of smaps_rollup in kB, 0 when the process is gone.
rollup_kb() { awk -v f="$2:" '$1 == f {print $2; found=1} END {if (!found) print 0}' "/proc/$1/smaps_rollup" 2>/dev/null || echo 0; }
sum_pss() { local t=0 p; for p in "$@"; do t=$((t + $(rollup_kb "$p" Pss))); done; echo "$t"; }

# ---- the engine's settings: a ping readout and a mail readout
# A ping readout probes the host it is named after.
port=${CORVEX_POP3_PORT:-110}
app='HKEY_CURRENT_USER\Software\Brannock\corvex\0.0.1\Sentinels'
cat >"$work/readouts.reg" <<REG
REGEDIT4

[$app\\Net Sentinel\\Speeders\\127.0.0.1]
"Host"="127.0.0.1"
"Sleep"=dword:000003e8

[$app\\Mail Sentinel\\Speeders\\alice]
"user"="alice"
"pass"="secret"
"server"="127.0.0.1"
"port"=dword:$(printf '%08x' "$port")
"freq"=dword:0000ea60
REG
wine regedit /S "$(winepath -w "$work/readouts.reg")" >/dev/null 2>&1
[ -n "${CORVEX_POP3_SKIP:-}" ] && say "note: no POP3 server ($CORVEX_POP3_SKIP): the mail readout reports its error"

# ---- GKrellM at 1 Hz, with a home of its own
mkdir -p "$work/home/.gkrellm2"
echo "update_HZ 1" >"$work/home/.gkrellm2/user-config"
HOME=$work/home gkrellm >"$work/gkrellm.log" 2>&1 &
gkrellm_pid=$!

# ---- the engine, started the way a user starts it
# The first process of the prefix running <name>, waited for 10 s at most.
first_pid() {
  local pid
  for _ in $(seq 100); do
    pid=$(prefix_pids "$1" | head -n 1)
    [ -n "$pid" ] && { echo "$pid"; return 0; }
    sleep 0.1
  done
  return 1
}
(cd "$bin" && wine corvex32.exe >"$work/corvex32.log" 2>&1)
engine_pid=$(first_pid motor32.dex) || { say "the engine did not start: $(cat "$work/corvex32.log")"; exit 1; }

# ---- the floor, started once the engine is up
(cd "$bin" && exec wine footprint_floor.exe >"$work/floor.log" 2>&1) &
floor_pid=$(first_pid footprint_floor.exe) || { say "the floor did not start: $(cat "$work/floor.log")"; exit 1; }
server_pids=$(for p in /proc/[0-9]*; do
  readlink "$p/exe" 2>/dev/null | grep -q wineserver || continue
  ours "$p" && echo "${p#/proc/}"
done)
service_pids=$(prefix_pids 'C:\windows\system32\' | grep -vx -e "$engine_pid" -e "$floor_pid" || true)

sleep "$settle"
kill -0 "$gkrellm_pid" 2>/dev/null || { say "GKrellM did not stay up: $(tail -n 3 "$work/gkrellm.log")"; exit 1; }
# The GUI thread and the ping readout's worker at least: one thread alone
# means the ping readout failed, and the figures would leave it out.
engine_threads=$(find "/proc/$engine_pid/task" -mindepth 1 -maxdepth 1 | wc -l)
say "engine threads: $engine_threads"

# ---- one window of time for everyone
# PSS splits each shared page among all processes on the machine that map
# it, so other Wine programs running meanwhile (and the floor itself) make
# the engine's PSS smaller; private dirty memory (heaps, written data) is a
# process's own whatever else runs.
hz=$(getconf CLK_TCK)
names=(engine floor gkrellm)
declare -A pid_of=([engine]=$engine_pid [floor]=$floor_pid [gkrellm]=$gkrellm_pid)
declare -A pss=() pss_max=() dirty=() mark0=() mark1=()
for n in "${names[@]}"; do pss[$n]=0 pss_max[$n]=0 dirty[$n]=0; done
samples=0 server_pss=0 services_pss=0
sample_memory() {
  local n k
  for n in "${names[@]}"; do
    k=$(rollup_kb "${pid_of[$n]}" Pss)
    pss[$n]=$((pss[$n] + k))
    [ "$k" -gt "${pss_max[$n]}" ] && pss_max[$n]=$k
    dirty[$n]=$((dirty[$n] + $(rollup_kb "${pid_of[$n]}" Private_Dirty)))
  done
  # shellcheck disable=SC2086
  server_pss=$((server_pss + $(sum_pss $server_pids))) services_pss=$((services_pss + $(sum_pss $service_pids)))
  samples=$((samples + 1))
}
mark_all() {
  local -n into=$1
  local n
  for n in "${names[@]}"; do into[$n]=$(cpu_mark "${pid_of[$n]}"); done
  # shellcheck disable=SC2086
  into[server]=$(sum_marks $server_pids) into[services]=$(sum_marks $service_pids)
}
mark_all mark0
start=$(date +%s.%N)
sample_memory
left=$window
while [ "$left" -gt 0 ]; do
  step=$((left < 10 ? left : 10))
  sleep "$step"
  left=$((left - step))
  sample_memory
done
mark_all mark1
elapsed=$(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN {print e - s}')
kill -0 "$engine_pid" 2>/dev/null || { say "the engine ended during the window"; exit 1; }
kill -0 "$floor_pid" 2>/dev/null || { say "the floor ended during the window"; exit 1; }

per_min() { awk -v t="$(cpu_used "${mark0[$1]}" "${mark1[$1]}")" -v s="$elapsed" 'BEGIN {printf "%.3f", t / 1e9 * 60 / s}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b > 0) printf "%.2f", a / b; else printf "-"}'; }
mb() { awk -v k="$1" -v n="$samples" 'BEGIN {printf "%.1f", k / n / 1024}'; }
declare -A cpu=()
for n in "${names[@]}"; do cpu[$n]=$(per_min "$n"); done
say "footprint over $(printf '%.0f' "$elapsed") s after $settle s, all at 1 Hz on one processor, $samples memory samples"
row() { printf '%-28s %16s %18s %16s\n' "$@"; }
row "" "CPU s per minute" "PSS MB (mean/max)" "private dirty MB"
show() { row "$1" "${cpu[$2]}" "$(mb "${pss[$2]}") / $(mb $((pss_max[$2] * samples)))" "$(mb "${dirty[$2]}")"; }
show "engine (motor32.dex)" engine
show "floor (footprint_floor.exe)" floor
show "GKrellM" gkrellm
quotient() { row "ratio $1 / $3" "$(ratio "${cpu[$2]}" "${cpu[$4]}")" "$(ratio "${pss[$2]}" "${pss[$4]}")" \
                 "$(ratio "${dirty[$2]}" "${dirty[$4]}")"; }
quotient engine engine GKrellM gkrellm
quotient engine engine floor floor
quotient floor floor GKrellM gkrellm
say "not counted: wine server $(per_min server) CPU s/min, $(mb "$server_pss") MB PSS;" \
  "Wine's services ($(echo $service_pids | wc -w) processes) $(per_min services) CPU s/min, $(mb "$services_pss") MB PSS"

# ---- system calls per tick, by kind, of the engine and of the floor at once
[ "$traced" -gt 0 ] || exit 0
timeout -s INT "$traced" strace -c -f -p "$engine_pid" -o "$work/strace.txt" >/dev/null 2>&1 &
tracer=$!
timeout -s INT "$traced" strace -c -f -p "$floor_pid" -o "$work/strace-floor.txt" >/dev/null 2>&1 || true
wait "$tracer" || true
per_tick() {
  awk -v s="$traced" '
    $1 !~ /^[0-9.]+$/ || $NF !~ /^[a-z_0-9]+$/ || NF < 5 { next }
    $NF == "total" { total = $4; next }
    { calls = $4; name = $NF; per[name] = calls / s }
    END {
      n = 0; for (k in per) order[++n] = k
      for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (per[order[j]] > per[order[i]]) { t = order[i]; order[i] = order[j]; order[j] = t }
      line = ""
      for (i = 1; i <= n; i++) line = line sprintf("%s %.1f, ", order[i], per[order[i]])
      printf "  total %.1f: %s\n", total / s, substr(line, 1, length(line) - 2)
    }' "$1"
}
say "engine system calls per tick (1 tick per second, $traced s traced, all threads):"
per_tick "$work/strace.txt"
say "floor system calls per tick (the same seconds):"
per_tick "$work/strace-floor.txt"
