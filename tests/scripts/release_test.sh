#!/usr/bin/env bash
# release_test.sh <release_probe.exe>: builds the release, checks the zip and its programs,
# then installs, runs and uninstalls it in a fresh Wine account, whose files and registry
# must then be as before but for the settings, when kept. Reports its cases for test.sh.
set -uo pipefail
probe=$1
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
bash "$CORVEX_ROOT/scripts/release.sh" >/dev/null || exit 1
bin=$CORVEX_BUILD/win32-release/bin
# Where no 32-bit program runs (corvex_windows), the release's files are
# checked as files, its version against the tested build's launcher, and
# the cases that run it are skipped.
corvex_windows
launcher=$bin/corvex32.exe
[ "$CORVEX_WINDOWS" = win32 ] || launcher=$(dirname "$probe")/corvex32.exe
zip=$(echo "$CORVEX_BUILD"/release/corvex-*.zip)
setup=$(echo "$CORVEX_BUILD"/release/corvex-*-setup.exe)

zip_files() {  # the two programs, an empty skin\, the build's help\ and data\, nothing else
  diff <({ printf '%s\n' corvex32.exe motor32.dex skin/
           for d in help data; do [ ! -d "$bin/$d" ] || (cd "$bin" && find "$d" -type d -printf '%p/\n' -o -type f -print); done
         } | LC_ALL=C sort) <(unzip -Z1 "$zip" | LC_ALL=C sort) &&
    unzip -p "$zip" motor32.dex | cmp -s - "$bin/motor32.dex"
}

# The version the launcher prints in the version resource, the icon, a
# manifest, the subsystem; no symbols, no kernel entries older Windows lacks.
programs() {
  local version p rc pe
  version=$(wine "$launcher" -help </dev/null | tr -d '\r')
  version=${version%%$'\n'*} && version=${version#Corvex v}
  for p in corvex32.exe:CUI motor32.dex:GUI; do
    rc=$(i686-w64-mingw32-windres -i "$bin/${p%:*}" -O rc) && pe=$(i686-w64-mingw32-objdump -p -h "$bin/${p%:*}") &&
      grep -qF "VALUE \"ProductVersion\", \"$version\"" <<<"$rc" && grep -qF 'VALUE "ProductName", "Corvex"' <<<"$rc" &&
      grep -q 'VALUE "LegalCopyright", "Copyright (C) [0-9]' <<<"$rc" && grep -qF '1 14 /* RT_GROUP_ICON */' <<<"$rc" &&
      grep -qF '1 24 /* RT_MANIFEST */' <<<"$rc" && grep -q "^Subsystem.*(Windows ${p#*:})" <<<"$pe" &&
      ! grep -qwE '\.debug.*|GetTickCount64|(Add|Remove)VectoredExceptionHandler|TryEnterCriticalSection|IsDebuggerPresent' <<<"$pe" ||
      { echo "${p%:*} ($version)"; return 1; }
  done
}

corvex_wine_prefix "$CORVEX_BUILD/wine/release" fresh
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"  # no menu entries on the host
[ -n "${DISPLAY:-}" ] || corvex_start_xvfb
corvex_start_wineserver
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# Every Windows account has it; the fresh Wine one not yet.
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' /f >/dev/null 2>&1
entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvex'
win() { winepath -w "$1" 2>/dev/null; }
unix_of() { winepath -u "$(wine cmd /c "echo %$1%" | tr -d '\r')" 2>/dev/null; }
localdata=$(unix_of LOCALAPPDATA)
menu="$(unix_of APPDATA)/Microsoft/Windows/Start Menu/Programs/Corvex"
ours() { grep -lszx "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ | sed 's/environ$/cmdline/' | xargs -r cat 2>/dev/null | tr '\0' ' '; }

# The account's files but the temporary ones, its registry but Wine's keys [and the settings].
snapshot() {
  find "$WINEPREFIX/drive_c" -path "$WINEPREFIX/drive_c/users/*/Temp" -prune -o -print | LC_ALL=C sort
  wine reg export HKCU "$(win "$WINEPREFIX.reg")" /y >/dev/null 2>&1
  iconv -f UTF-16 -t UTF-8 "$WINEPREFIX.reg" | tr -d '\r' |
    awk -v settings="${1:-}" '/^\[/ { skip = index($0, "[HKEY_CURRENT_USER\\Software\\Wine") == 1 ||
                                   (settings && index($0, "[HKEY_CURRENT_USER\\Software\\Brannock") == 1) } !skip && NF'
}
same() { diff <(echo "$1") <(echo "$2") >&2; }

install() {  # install <folder>: silently; the zip's files, the Start-menu entry, the uninstall entry
  # /D= takes the rest of the command line unquoted: wine joins the folder's words by spaces.
  # shellcheck disable=SC2046
  wine "$setup" /S /D=$(win "$1") &&
    diff <({ echo uninstall.exe; unzip -Z1 "$zip" | sed 's,/$,,'; } | LC_ALL=C sort) \
         <(cd "$1" && find . -mindepth 1 | sed 's,^\./,,' | LC_ALL=C sort) &&
    [ -f "$menu/Corvex.lnk" ] && [[ $(wine reg query "$entry" /v InstallLocation) == *"$(win "$1")"* ]]
}

# uninstall <folder> [switches]: waits for the copy the uninstaller leaves at work in the
# temporary folder, which removes the uninstall entry last (30 s at most).
uninstall() {
  wine "$(win "$1")\\uninstall.exe" /S "${@:2}" || return 1
  local i
  for i in $(seq 150); do
    ! wine reg query "$entry" >/dev/null 2>&1 && ! ours | grep -q '~nsu' && return 0
    sleep 0.2
  done
  return 1
}

keeping_settings() {  # the default folder; the engine closed by a message to its bar
  local before folder=$localdata/Programs/Corvex
  before=$(snapshot)
  install "$folder" && wine "$probe" run "$(win "$folder")" && uninstall "$folder" &&
    same "$before" "$(snapshot without-settings)" && wine reg query 'HKCU\Software\Brannock\corvex\0.0.1' >/dev/null 2>&1
}

removing_settings() {  # a folder of one's own; the uninstaller closes the running engine first
  wine reg delete 'HKCU\Software\Brannock' /f >/dev/null 2>&1
  local before folder="$WINEPREFIX/drive_c/Corvex monitor"
  before=$(snapshot)
  install "$folder" && wine "$probe" start "$(win "$folder")" && uninstall "$folder" /REMOVESETTINGS &&
    ! ours | grep -q 'motor32\.dex' && same "$before" "$(snapshot)"
}

others_stay() {  # the maker's other keys, another version's settings, a skin of one's own
  wine reg add 'HKCU\Software\Brannock\Tool' /v Kept /d 1 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Brannock\corvex\0.0.2' /v Kept /d 1 /f >/dev/null 2>&1
  local before folder=$localdata/Corvex
  before=$(snapshot)
  wine reg add 'HKCU\Software\Brannock\corvex\0.0.1\Sentinels' /v order /t REG_DWORD /d 1 /f >/dev/null 2>&1
  install "$folder" && touch "$folder/skin/default.bmp" && uninstall "$folder" /REMOVESETTINGS &&
    [ "$(cd "$folder" && find . | LC_ALL=C sort | tr '\n' ' ')" = ". ./skin ./skin/default.bmp " ] &&
    rm -r "$folder" && same "$before" "$(snapshot)"
}

portable() {  # the zip's files run from a folder of their own
  local folder="$WINEPREFIX/drive_c/Portable Corvex"
  mkdir -p "$folder" && unzip -q "$zip" -d "$folder" && wine "$probe" run "$(win "$folder")"
}

report=${CORVEX_TEST_RESULTS:-$CORVEX_BUILD/test-results}/corvex_release_tests.xml
cases='' failed=0
for c in zip_files programs keeping_settings removing_settings others_stay portable; do
  if [ "$CORVEX_WINDOWS" != win32 ] && [[ $c != zip_files && $c != programs ]]; then
    cases+="<testcase name=\"$c\" result=\"skipped\"/>"; echo "SKIPPED: $c (runs the 32-bit release)"
  elif $c; then cases+="<testcase name=\"$c\"/>"; else cases+="<testcase name=\"$c\"><failure/></testcase>"; failed=$((failed + 1)); echo "FAILED: $c"; fi
done
mkdir -p "$(dirname "$report")"
echo "<testsuites tests=\"6\" failures=\"$failed\" disabled=\"0\" errors=\"0\">$cases</testsuites>" >"$report"
[ "$failed" -eq 0 ]
