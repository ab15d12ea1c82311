#!/usr/bin/env bash
# The release end to end: builds it with scripts/release.sh, checks the
# zip and the programs in it, then in a fresh Wine account installs it
# silently, starts the program from the installed folder and closes it,
# uninstalls it silently and compares the account's files and registry
# with what they were before: only the settings may stay, and only when
# they are kept. Writes its cases as a test report.
#   release_test.sh <release_probe.exe>
set -uo pipefail
probe=$1
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
bash "$CORVEX_ROOT/scripts/release.sh" >/dev/null || exit 1
bin=$CORVEX_BUILD/win32-release/bin
zip=$(echo "$CORVEX_BUILD"/release/corvex-*.zip)
setup=$(echo "$CORVEX_BUILD"/release/corvex-*-setup.exe)

passed=() failed=()
check() {  # check <case> <command...>
  if "$@"; then passed+=("$1"); else failed+=("$1"); echo "FAILED: $1"; fi
}

zip_files() {  # the two programs, an empty skin\ and the build's help\ and data\, nothing else
  diff <({ printf '%s\n' corvex32.exe motor32.dex skin/
           for d in help data; do [ ! -d "$bin/$d" ] || (cd "$bin" && find "$d" -type d -printf '%p/\n' -o -type f -print); done
         } | LC_ALL=C sort) <(unzip -Z1 "$zip" | LC_ALL=C sort) || return 1
  local p
  for p in corvex32.exe motor32.dex; do unzip -p "$zip" "$p" | cmp -s - "$bin/$p" || return 1; done
}

programs() {  # version resource with the version the launcher prints, icon, manifest, subsystem, no symbols
  local version p rc pe
  version=$(wine "$bin/corvex32.exe" -help </dev/null | tr -d '\r')
  version=${version%%$'\n'*}
  version=${version#Corvex v}
  for p in corvex32.exe:CUI motor32.dex:GUI; do
    rc=$(i686-w64-mingw32-windres -i "$bin/${p%:*}" -O rc) && pe=$(i686-w64-mingw32-objdump -p -h "$bin/${p%:*}") &&
      grep -qF "VALUE \"ProductVersion\", \"$version\"" <<<"$rc" && grep -qF 'VALUE "ProductName", "Corvex"' <<<"$rc" &&
      grep -q 'VALUE "LegalCopyright", "Copyright (C) [0-9]' <<<"$rc" && grep -qF '1 14 /* RT_GROUP_ICON */' <<<"$rc" &&
      grep -qF '1 24 /* RT_MANIFEST */' <<<"$rc" && grep -q "^Subsystem.*(Windows ${p#*:})" <<<"$pe" &&
      ! grep -q '\.debug' <<<"$pe" &&
      # kernel entries older Windows lacks (foundation/LegacyKernel32.cpp)
      ! grep -qwE 'GetTickCount64|(Add|Remove)VectoredExceptionHandler|TryEnterCriticalSection|IsDebuggerPresent' <<<"$pe" ||
      { echo "${p%:*}: not as released ($version)"; return 1; }
  done
}

check zip_files zip_files
check programs programs

corvex_wine_prefix "$CORVEX_BUILD/wine/release" fresh
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"  # no menu entries on the host
[ -n "${DISPLAY:-}" ] || corvex_start_xvfb
corvex_start_wineserver
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# Every Windows account has it; the fresh Wine one not yet.
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' /f >/dev/null 2>&1
win() { winepath -w "$1" 2>/dev/null; }
export_file=$CORVEX_BUILD/wine/release-hkcu.reg
localdata=$(winepath -u "$(wine cmd /c 'echo %LOCALAPPDATA%' | tr -d '\r')" 2>/dev/null)
menu=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' | tr -d '\r')" 2>/dev/null)"/Microsoft/Windows/Start Menu/Programs/Corvex"

# The account's files but the temporary folder, then its registry but
# Wine's own keys (and, with "without-settings", the settings' keys).
snapshot() {
  find "$WINEPREFIX/drive_c" -path "$WINEPREFIX/drive_c/users/*/Temp" -prune -o -print | LC_ALL=C sort
  wine reg export HKCU "$(win "$export_file")" /y >/dev/null 2>&1
  iconv -f UTF-16 -t UTF-8 "$export_file" | tr -d '\r' |
    awk -v settings="${1:-}" '/^\[/ { skip = index($0, "[HKEY_CURRENT_USER\\Software\\Wine") == 1 ||
                                   (settings && index($0, "[HKEY_CURRENT_USER\\Software\\Brannock") == 1) }
                             !skip && NF'
}

same() {  # same <before> <after>: or shows what differs
  diff <(echo "$1") <(echo "$2") >&2
}

install() {  # install <folder>: silently, and checks files, Start menu and uninstall entry
  # /D= takes the rest of the command line, spaces and all, but no quotes:
  # the folder's words go as separate arguments, which wine joins by spaces.
  # shellcheck disable=SC2046
  wine "$setup" /S /D=$(win "$1") || return 1
  diff <({ echo uninstall.exe; unzip -Z1 "$zip" | sed 's,/$,,'; } | LC_ALL=C sort) \
       <(cd "$1" && find . -mindepth 1 | sed 's,^\./,,' | LC_ALL=C sort) &&
    [ -f "$menu/Corvex.lnk" ] &&
    [[ $(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvex' /v InstallLocation) == *"$(win "$1")"* ]]
}

our_processes() {  # the command lines of this prefix's processes
  local env
  for env in $(grep -lszx "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ); do
    tr '\0' ' ' 2>/dev/null <"${env%environ}cmdline" && echo
  done
}

# uninstall <folder> [switches]: the uninstaller returns at once and runs
# a copy of itself from the temporary folder, which removes the uninstall
# entry last; then waits for that copy to end (30 s at most).
uninstall() {
  wine "$(win "$1")\\uninstall.exe" /S "${@:2}" || return 1
  local i
  for i in $(seq 150); do
    if ! wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvex' >/dev/null 2>&1 &&
       ! our_processes | grep -q '~nsu'; then
      return 0
    fi
    sleep 0.2
  done
  return 1
}

keeping_settings() {  # the default place; the engine closed by a message to its bar
  local before folder=$localdata/Programs/Corvex
  before=$(snapshot)
  install "$folder" && wine "$probe" run "$(win "$folder")" && uninstall "$folder" &&
    same "$before" "$(snapshot without-settings)" && wine reg query 'HKCU\Software\Brannock\corvex\0.0.1' >/dev/null 2>&1
}

removing_settings() {  # another place; the uninstaller closes the running engine before removing
  wine reg delete 'HKCU\Software\Brannock' /f >/dev/null 2>&1
  local before folder="$WINEPREFIX/drive_c/Corvex monitor"
  before=$(snapshot)
  install "$folder" && wine "$probe" start "$(win "$folder")" && uninstall "$folder" /REMOVESETTINGS &&
    ! our_processes | grep -q 'motor32\.dex' && same "$before" "$(snapshot)"
}

others_stay() {  # removing the settings leaves the maker's other keys and what the user added
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
  rm -rf "$folder" && mkdir -p "$folder" && unzip -q "$zip" -d "$folder" && wine "$probe" run "$(win "$folder")"
}

check keeping_settings keeping_settings
check removing_settings removing_settings
check others_stay others_stay
check portable portable

# A report in GoogleTest's form, which test.sh counts.
report=${CORVEX_TEST_RESULTS:-$CORVEX_BUILD/test-results}/corvex_release_tests.xml
mkdir -p "$(dirname "$report")"
{
  echo "<testsuites tests=\"$((${#passed[@]} + ${#failed[@]}))\" failures=\"${#failed[@]}\" disabled=\"0\" errors=\"0\" name=\"release\">"
  for c in "${passed[@]}"; do echo "  <testcase name=\"$c\" status=\"run\" result=\"completed\"/>"; done
  for c in "${failed[@]}"; do echo "  <testcase name=\"$c\" status=\"run\" result=\"completed\"><failure/></testcase>"; done
  echo "</testsuites>"
} >"$report"
echo "release: ${#passed[@]} passed, ${#failed[@]} failed"
[ "${#failed[@]}" -eq 0 ]
