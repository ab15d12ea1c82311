#!/usr/bin/env bash
# footprint.sh <bin folder>: what the engine costs beside a native monitor.
# scripts/bench.sh runs it inside its Wine prefix, X display and wine
# server, beside a POP3 server on loopback (tests/support/with_dovecot.sh
# exports its port).
#
# Starts the whole engine through corvex32.exe at its default 1 Hz, every
# Sentinel holding readouts (the Net Sentinel pings 127.0.0.1 each second,
# the Mail Sentinel checks a mailbox each minute), and GKrellM at 1 Hz
# with a home of its own on the same display. After a settling time it
# measures, in one window of time, the processor time (utime + stime of
# /proc/PID/stat) and the proportional set size (Pss of smaps_rollup,
# sampled every 10 s) of the engine and of GKrellM, and prints the ratios;
# the wine server and Wine's service processes are shown beside them, not
# counted (a Windows user does not pay them). Then it counts the engine's
# system calls per tick by kind with strace.
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
finish() {
  [ -n "$gkrellm_pid" ] && kill "$gkrellm_pid" 2>/dev/null && wait "$gkrellm_pid" 2>/dev/null
  [ -n "$engine_pid" ] && kill "$engine_pid" 2>/dev/null
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

# Clock ticks of processor time (user + system) of a process, 0 when gone.
cpu_ticks() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || { echo 0; return; }
  # After the command name in parentheses: state is field 3, utime 14, stime 15.
  stat=${stat##*) }
  awk '{print $12 + $13}' <<<"$stat"
}
pss_kb() { awk '/^Pss:/ {print $2; found=1} END {if (!found) print 0}' "/proc/$1/smaps_rollup" 2>/dev/null || echo 0; }
sum_cpu() { local t=0 p; for p in "$@"; do t=$((t + $(cpu_ticks "$p"))); done; echo "$t"; }
sum_pss() { local t=0 p; for p in "$@"; do t=$((t + $(pss_kb "$p"))); done; echo "$t"; }

# ---- the engine's settings: a ping readout and a mail readout
port=${CORVEX_POP3_PORT:-110}
app='HKEY_CURRENT_USER\Software\Brannock\corvex\0.0.1\Sentinels'
cat >"$work/readouts.reg" <<REG
REGEDIT4

[$app\\Net Sentinel\\Speeders\\loopback]
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
(cd "$bin" && wine corvex32.exe >"$work/corvex32.log" 2>&1)
for _ in $(seq 100); do
  engine_pid=$(prefix_pids motor32.dex | head -n 1)
  [ -n "$engine_pid" ] && break
  sleep 0.1
done
[ -n "$engine_pid" ] || { say "the engine did not start: $(cat "$work/corvex32.log")"; exit 1; }
server_pids=$(for p in /proc/[0-9]*; do
  readlink "$p/exe" 2>/dev/null | grep -q wineserver || continue
  ours "$p" && echo "${p#/proc/}"
done)
service_pids=$(prefix_pids 'C:\windows\system32\' | grep -vx "$engine_pid" || true)

sleep "$settle"
kill -0 "$gkrellm_pid" 2>/dev/null || { say "GKrellM did not stay up: $(tail -n 3 "$work/gkrellm.log")"; exit 1; }

# ---- one window of time for everyone
hz=$(getconf CLK_TCK)
samples=0 engine_pss=0 gkrellm_pss=0 server_pss=0 services_pss=0 engine_max=0 gkrellm_max=0
sample_pss() {
  local e g
  e=$(pss_kb "$engine_pid") g=$(pss_kb "$gkrellm_pid")
  engine_pss=$((engine_pss + e)) gkrellm_pss=$((gkrellm_pss + g))
  [ "$e" -gt "$engine_max" ] && engine_max=$e
  [ "$g" -gt "$gkrellm_max" ] && gkrellm_max=$g
  # shellcheck disable=SC2086
  server_pss=$((server_pss + $(sum_pss $server_pids))) services_pss=$((services_pss + $(sum_pss $service_pids)))
  samples=$((samples + 1))
}
# shellcheck disable=SC2086
{
  e0=$(cpu_ticks "$engine_pid") g0=$(cpu_ticks "$gkrellm_pid")
  s0=$(sum_cpu $server_pids) v0=$(sum_cpu $service_pids)
}
start=$(date +%s.%N)
sample_pss
left=$window
while [ "$left" -gt 0 ]; do
  step=$((left < 10 ? left : 10))
  sleep "$step"
  left=$((left - step))
  sample_pss
done
# shellcheck disable=SC2086
{
  e1=$(cpu_ticks "$engine_pid") g1=$(cpu_ticks "$gkrellm_pid")
  s1=$(sum_cpu $server_pids) v1=$(sum_cpu $service_pids)
}
elapsed=$(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN {print e - s}')
kill -0 "$engine_pid" 2>/dev/null || { say "the engine ended during the window"; exit 1; }

per_min() { awk -v t="$1" -v hz="$hz" -v s="$elapsed" 'BEGIN {printf "%.3f", t / hz * 60 / s}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b > 0) printf "%.2f", a / b; else printf "-"}'; }
mb() { awk -v k="$1" -v n="$samples" 'BEGIN {printf "%.1f", k / n / 1024}'; }
engine_cpu=$(per_min $((e1 - e0))) gkrellm_cpu=$(per_min $((g1 - g0)))
say "footprint over $(printf '%.0f' "$elapsed") s after $settle s, both at 1 Hz on one processor, $samples PSS samples"
printf '%-26s %16s %18s\n' "" "CPU s per minute" "PSS MB (mean/max)"
printf '%-26s %16s %18s\n' "engine (motor32.dex)" "$engine_cpu" "$(mb "$engine_pss") / $(mb $((engine_max * samples)))"
printf '%-26s %16s %18s\n' "GKrellM" "$gkrellm_cpu" "$(mb "$gkrellm_pss") / $(mb $((gkrellm_max * samples)))"
printf '%-26s %16s %18s\n' "ratio engine / GKrellM" \
  "$(ratio "$engine_cpu" "$gkrellm_cpu")" "$(ratio "$engine_pss" "$gkrellm_pss")"
say "not counted: wine server $(per_min $((s1 - s0))) CPU s/min, $(mb "$server_pss") MB;" \
  "Wine's services ($(echo $service_pids | wc -w) processes) $(per_min $((v1 - v0))) CPU s/min, $(mb "$services_pss") MB"

# ---- system calls per tick, by kind
[ "$traced" -gt 0 ] || exit 0
timeout -s INT "$traced" strace -c -f -p "$engine_pid" -o "$work/strace.txt" >/dev/null 2>&1 || true
say "engine system calls per tick (1 tick per second, $traced s traced, all threads):"
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
  }' "$work/strace.txt"
