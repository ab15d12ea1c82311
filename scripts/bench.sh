#!/usr/bin/env bash
# Builds the Windows tree and runs every benchmark program under Wine on a
# private X display, printing their figures.
#
# Everything runs on one processor (taskset): under Wine each window or
# paint call is a round trip to the wine server and the X server, and on a
# virtual machine waking another, idle processor for each round trip costs
# more than the work measured, so unpinned figures mostly measure the
# machine's idle wake-ups and vary several-fold between runs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

corvex_install
corvex_build win32
taskset -p -c "${CORVEX_BENCH_CPU:-0}" $$ >/dev/null
corvex_wine_prefix "$CORVEX_BUILD/wine/bench" fresh
corvex_start_xvfb
corvex_start_wineserver
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

cd "$CORVEX_BUILD/win32/bin"
for bench in bench_*.exe; do
  corvex_log "$bench"
  wine "$bench"
done
