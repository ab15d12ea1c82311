#!/usr/bin/env bash
# Builds the Windows tree and runs the benchmarks under Wine on a private
# X display, printing their figures:
#
#   scripts/bench.sh              every bench_*.exe, then the footprint
#   scripts/bench.sh NAME...      only these: bench_speeders, bench_soak,
#                                 ..., or footprint (bench/footprint.sh)
#
# Arguments after "--" go to every benchmark program run (bench_soak --full).
#
# Everything runs on one processor (taskset): under Wine each window or
# paint call is a round trip to the wine server and the X server, and on a
# virtual machine waking another, idle processor for each round trip costs
# more than the work measured, so unpinned figures mostly measure the
# machine's idle wake-ups and vary several-fold between runs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

names=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do names+=("${1%.exe}"); shift; done
[ "${1:-}" = "--" ] && shift

# The footprint's native peer and the system-call counter.
corvex_install gkrellm strace
corvex_windows
corvex_build "$CORVEX_WINDOWS"
taskset -p -c "${CORVEX_BENCH_CPU:-0}" $$ >/dev/null
corvex_wine_prefix "$CORVEX_BUILD/wine/bench" fresh
corvex_start_xvfb
corvex_start_wineserver
corvex_wine_settings

cd "$CORVEX_BUILD/$CORVEX_WINDOWS/bin"
if [ ${#names[@]} -eq 0 ]; then
  for bench in bench_*.exe; do names+=("${bench%.exe}"); done
  names+=(footprint)
fi
for name in "${names[@]}"; do
  corvex_log "$name"
  if [ "$name" = footprint ]; then
    bash "$CORVEX_ROOT/tests/support/with_dovecot.sh" bash "$CORVEX_ROOT/bench/footprint.sh" "$PWD"
  else
    wine "$name.exe" "$@"
  fi
done
