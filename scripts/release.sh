#!/usr/bin/env bash
# Builds the Windows programs in release form (optimised, no symbols, no
# tests) in build/win32-release and packs them into build/release/:
#   corvex-<version>.zip        runs from any folder, no installation
#   corvex-<version>-setup.exe  a per-user installer (scripts/corvex.nsi)
# Both hold the same files: corvex32.exe, motor32.dex, an empty skin\ for a
# skin strip of the user's own, and whatever help\ and data\ the build puts
# beside the engine. The companion libraries stay out: the engine only
# offers them when they are there.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

tree=$CORVEX_BUILD/win32-release
out=$CORVEX_BUILD/release

corvex_install
if [ ! -f "$tree/CMakeCache.txt" ]; then
  corvex_log "configuring the release tree"
  cmake -S "$CORVEX_ROOT" -B "$tree" -DCMAKE_BUILD_TYPE=Release -DCORVEX_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$CORVEX_ROOT/cmake/mingw-i686.cmake" >/dev/null
fi
corvex_log "building the release tree"
# The build copies help/ and data/ beside the engine; copied afresh, they
# hold nothing a former build left there.
rm -rf "$tree/bin/help" "$tree/bin/data"
# A failed build stops the script here (pipefail); a filter that lets no line through does not.
cmake --build "$tree" -j "$(nproc)" -- --no-print-directory |
  { grep -Ev '^\[|^Consolidate|^Scanning|Built target' || true; }

version=$(sed -n 's/^!define CORVEX_VERSION "\(.*\)"$/\1/p' "$tree/generated/corvex_version.nsh")
[ -n "$version" ] || { corvex_log "no version in $tree/generated/corvex_version.nsh"; exit 1; }
zipfile=$out/corvex-$version.zip
setup=$out/corvex-$version-setup.exe

# The delivered tree, as the zip holds it and the installer installs it.
stage=$tree/stage
rm -rf "$stage" "$out"
mkdir -p "$stage/skin" "$out"
cp "$tree/bin/corvex32.exe" "$tree/bin/motor32.dex" "$stage/"
for folder in help data; do
  if [ -d "$tree/bin/$folder" ]; then cp -r "$tree/bin/$folder" "$stage/"; fi
done

corvex_log "packing $(basename "$zipfile")"
( cd "$stage" && find . -mindepth 1 | LC_ALL=C sort | zip -q -X -@ "$zipfile" )

# The installer's two lists, made from the same tree so that the
# uninstaller removes exactly what was installed: every file by name, then
# every folder if it is empty (deepest first), so that files of the user's
# own (a skin, a log) stay.
nsis_path() { local p=${1//\//\\}; printf '%s' "${p//\$/\$\$}"; }
{
  while IFS= read -r dir; do
    rel=${dir#"$stage"}
    printf 'SetOutPath "$INSTDIR%s"\n' "$(nsis_path "$rel")"
    find "$dir" -mindepth 1 -maxdepth 1 -type f | LC_ALL=C sort | while IFS= read -r file; do
      printf 'File "%s"\n' "$file"
    done
  done < <(find "$stage" -type d | LC_ALL=C sort)
  printf 'SetOutPath "$INSTDIR"\n'
} >"$tree/install-files.nsh"
{
  find "$stage" -mindepth 1 -type f | LC_ALL=C sort | while IFS= read -r file; do
    printf 'Delete "$INSTDIR%s"\n' "$(nsis_path "${file#"$stage"}")"
  done
  find "$stage" -mindepth 1 -type d | LC_ALL=C sort -r | while IFS= read -r dir; do
    printf 'RMDir "$INSTDIR%s"\n' "$(nsis_path "${dir#"$stage"}")"
  done
} >"$tree/uninstall-files.nsh"

corvex_log "building $(basename "$setup")"
makensis -V2 -NOCD \
  -DCORVEX_GENERATED="$tree/generated" -DCORVEX_LISTS="$tree" \
  -DCORVEX_ICON="$CORVEX_ROOT/engine/kernel/corvex.ico" -DCORVEX_OUTFILE="$setup" \
  -DCORVEX_SIZE_KB="$(du -sk "$stage" | cut -f1)" \
  "$CORVEX_ROOT/scripts/corvex.nsi" >&2

for file in "$zipfile" "$setup"; do
  printf '%s %s bytes\n' "$file" "$(stat -c %s "$file")"
done
