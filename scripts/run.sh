#!/usr/bin/env bash
# Builds Corvex and runs corvex32.exe under Wine, passing every argument on.
# With no X display it starts a private Xvfb, lets the program run for
# CORVEX_RUN_SECONDS (default 15), saves a screenshot and stops everything;
# with a display it runs until the engine ends.
# Settings persist between runs in the prefix build/wine/run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

corvex_install
corvex_windows
corvex_build "$CORVEX_WINDOWS"
corvex_wine_prefix "$CORVEX_BUILD/wine/run" keep

headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  headless=1
  corvex_start_xvfb
fi
corvex_start_wineserver

cd "$CORVEX_BUILD/$CORVEX_WINDOWS/bin"
wine corvex32.exe "$@"

if [ "$headless" -eq 1 ]; then
  sleep "${CORVEX_RUN_SECONDS:-15}"
  corvex_screenshot "run-$(date +%Y%m%d-%H%M%S)"
else
  wineserver -w   # until the engine and everything it started have ended
fi
