#!/usr/bin/env bash
# Builds everything and runs every test: the native tree under sanitizers,
# the fuzzers for a bounded time, then the Windows tree under Wine on a
# private X display with a fresh Wine account. Exits non-zero on any failure.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

started=$SECONDS
status=0
results=$CORVEX_BUILD/test-results

corvex_install
rm -rf "$results"
mkdir -p "$results"

corvex_log "include layers"
bash "$CORVEX_ROOT/scripts/check_layers.sh" || status=1

corvex_build native
corvex_log "native tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
ctest --test-dir "$CORVEX_BUILD/native" --output-on-failure || status=1

for fuzzer in "$CORVEX_BUILD"/native/bin/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus=$CORVEX_BUILD/fuzz-corpus/$name
  mkdir -p "$corpus"
  corvex_log "fuzzing $name for ${CORVEX_FUZZ_SECONDS:-20} s"
  if "$fuzzer" -max_total_time="${CORVEX_FUZZ_SECONDS:-20}" -print_final_stats=1 \
       "$corpus" >"$results/$name.log" 2>&1; then
    printf '%s: %s executions\n' "$name" \
      "$(sed -n 's/^stat::number_of_executed_units: *//p' "$results/$name.log")"
  else
    status=1
    tail -n 40 "$results/$name.log"
  fi
done

corvex_windows
if [ "$CORVEX_WINDOWS" = win32 ]; then
  corvex_build win32
else
  # The programs as delivered still have to build; the tests run the win64 tree.
  corvex_build win32 corvex32 motor32 infopane32 cpupanel32
  corvex_build win64
fi
corvex_wine_prefix "$CORVEX_BUILD/wine/test" fresh
corvex_start_xvfb
corvex_start_wineserver
corvex_wine_settings
corvex_log "Windows tests under Wine"
ctest --test-dir "$CORVEX_BUILD/$CORVEX_WINDOWS" --output-on-failure || status=1

# A picture of the display components for a person to look at.
( cd "$CORVEX_BUILD/$CORVEX_WINDOWS/bin" && wine display_showcase.exe 6 >/dev/null 2>&1 ) &
showcase=$!
sleep 4
corvex_screenshot display-components || true
wait "$showcase" || true

# More pictures: the two companion libraries' windows as the engine opens
# them, a band of readouts, the volume sliders on a stand-in mixer, and the
# real engine with its menu open over the CPU band. Each program but the
# two bands writes a file once its window is up;
# the shot waits for it (15 s at most). A missing picture never fails the run.
shot() {  # shot <name> <seconds to wait, or a ready file> <program> [arguments]
  local name=$1 ready=$2 waited=0 pid
  shift 2
  ( cd "$CORVEX_BUILD/$CORVEX_WINDOWS/bin" && timeout 40 wine "$@" >/dev/null 2>&1 ) &
  pid=$!
  if [[ $ready =~ ^[0-9]+$ ]]; then
    sleep "$ready"
  else
    while [ ! -f "$ready" ] && [ "$waited" -lt 150 ] && kill -0 "$pid" 2>/dev/null; do
      sleep 0.1
      waited=$((waited + 1))
    done
  fi
  if [[ $ready =~ ^[0-9]+$ ]] || [ -f "$ready" ]; then
    sleep 0.3  # the window's first painting
    corvex_screenshot "$name" || true
  else
    corvex_log "no $name picture"
  fi
  wait "$pid" || true
}
shots=$CORVEX_BUILD/screenshots
mkdir -p "$shots"
rm -f "$shots"/*.ready
winshots="Z:${shots//\//\\}"
shot about-box "$shots/about.ready" companion_showcase.exe about 2 "$winshots\\about.ready"
shot cpu-panel "$shots/cpu.ready" companion_showcase.exe cpu 2 "$winshots\\cpu.ready"
shot speeder-band 5 speeder_showcase.exe 7
shot net-band 4 net_showcase.exe 6
shot mail-band "$shots/mail.ready" mail_showcase.exe 8 "$winshots\\mail.ready"
shot resource-bands 5 resource_showcase.exe 7
shot audio-band 3 speeder_showcase.exe 5 audio
shot system-band 5 system_showcase.exe 7
shot menu-open "$shots/menu.ready" menu_showcase.exe 2 "$winshots\\menu.ready"
shot designer-graph "$shots/designer.ready" designer_showcase.exe graph 5 "$winshots\\designer.ready"
rm -f "$shots/designer.ready"
shot designer-net "$shots/designer.ready" designer_showcase.exe net 5 "$winshots\\designer.ready"
for page in general tray colors; do
  shot "options-$page" "$shots/options-$page.ready" options_showcase.exe "$page" 2 "$winshots\\options-$page.ready"
done
rm -f "$shots"/*.ready

# One closing line over every test case of both trees.
passed=0 failed=0 skipped=0
for xml in "$results"/*.xml; do
  [ -f "$xml" ] || continue
  header=$(grep -m1 -o '<testsuites tests="[0-9]*" failures="[0-9]*" disabled="[0-9]*" errors="[0-9]*"' "$xml" || true)
  read -r tests failures errors < <(sed -E 's/.*tests="([0-9]+)" failures="([0-9]+)" disabled="[0-9]+" errors="([0-9]+)".*/\1 \2 \3/' <<<"$header")
  skips=$({ grep -o 'result="skipped"' "$xml" || true; } | wc -l)
  passed=$((passed + tests - failures - errors - skips))
  failed=$((failed + failures + errors))
  skipped=$((skipped + skips))
done
[ "$status" -eq 0 ] || [ "$failed" -gt 0 ] || failed=1   # a crash leaves no report
corvex_log "test run took $((SECONDS - started)) s"
echo "corvex: $passed passed, $failed failed, $skipped skipped"
exit "$status"
