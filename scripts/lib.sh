# Shared by scripts/test.sh and scripts/run.sh: package set-up, builds, a
# private Wine prefix, a private X display and a persistent wine server.
# Everything started here is stopped by corvex_cleanup (by PID).
# shellcheck shell=bash

CORVEX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
CORVEX_BUILD=${CORVEX_BUILD_DIR:-$CORVEX_ROOT/build}
CORVEX_PIDS=()

corvex_log() { printf '== %s\n' "$*" >&2; }

corvex_packages=(g++-mingw-w64-i686 mingw-w64-i686-dev wine wine32:i386 xvfb xauth
                 clang libclang-rt-14-dev cmake g++ make imagemagick x11-apps x11-utils
                 dovecot-pop3d nsis zip unzip)

# Installs whatever of the package list (and of the extra packages named)
# is missing; quick when nothing is.
corvex_install() {
  local missing=()
  for p in "${corvex_packages[@]}" "$@"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ -d /usr/src/googletest ] || missing+=(googletest)
  [ ${#missing[@]} -eq 0 ] && return 0
  corvex_log "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

# corvex_build native|win32: configures once, then builds incrementally.
corvex_build() {
  local tree=$1 dir=$CORVEX_BUILD/$1 args=()
  if [ "$tree" = win32 ]; then
    args=(-DCMAKE_TOOLCHAIN_FILE="$CORVEX_ROOT/cmake/mingw-i686.cmake")
  else
    args=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCORVEX_FUZZ=ON)
  fi
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    corvex_log "configuring the $tree tree"
    cmake -S "$CORVEX_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCORVEX_TEST_RESULTS="$CORVEX_BUILD/test-results" "${args[@]}" >/dev/null
  fi
  corvex_log "building the $tree tree"
  cmake --build "$dir" -j "$(nproc)" -- --no-print-directory | grep -Ev '^\[|^Consolidate|^Scanning|Built target' || true
  [ "${PIPESTATUS[0]}" -eq 0 ]
}

corvex_wine_env() {
  export WINEARCH=win32 WINEDEBUG=-all
  export WINEDLLOVERRIDES="winealsa.drv=d;mscoree=d;mshtml=d"
  export WINEPREFIX=$1
}

# corvex_wine_prefix <folder> fresh|keep: a 32-bit prefix. "fresh" gives a
# clean HKEY_CURRENT_USER (a new account) copied from a template made once.
corvex_wine_prefix() {
  local prefix=$1 mode=$2 template=$CORVEX_BUILD/wine/template
  if [ ! -f "$template/system.reg" ]; then
    corvex_log "creating the Wine prefix template"
    rm -rf "$template"
    mkdir -p "$(dirname "$template")"
    ( corvex_wine_env "$template"; wineboot -i >/dev/null 2>&1; wineserver -w )
  fi
  if [ "$mode" = fresh ] || [ ! -f "$prefix/system.reg" ]; then
    rm -rf "$prefix"
    cp -a "$template" "$prefix"
  fi
  corvex_wine_env "$prefix"
}

# Starts Xvfb on a display number it picks itself (-displayfd, so that
# several runs on one machine never race for the same one); exports DISPLAY.
corvex_start_xvfb() {
  local fifo n
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  CORVEX_PIDS+=($!)
  read -r -t 20 n <"$fifo" || { rm -f "$fifo"; corvex_log "Xvfb did not start"; return 1; }
  rm -f "$fifo"
  export DISPLAY=":$n"
  corvex_log "private X display $DISPLAY"
}

# The first program also starts Wine's own services, which would hold any
# output pipe of that program (and so ctest) open: start them here first.
corvex_start_wineserver() {
  wineserver -p >/dev/null 2>&1 &
  CORVEX_PIDS+=($!)
  CORVEX_WINESERVER_PREFIX=$WINEPREFIX
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Saves the whole private display as build/screenshots/<name>.png and
# prints the file name.
corvex_screenshot() {
  local shot=$CORVEX_BUILD/screenshots/$1.png
  mkdir -p "$(dirname "$shot")"
  import -display "$DISPLAY" -window root "$shot" && echo "screenshot: $shot"
}

corvex_cleanup() {
  if [ -n "${CORVEX_WINESERVER_PREFIX:-}" ]; then
    WINEPREFIX=$CORVEX_WINESERVER_PREFIX wineserver -k >/dev/null 2>&1 || true
  fi
  local pid
  for pid in "${CORVEX_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${CORVEX_PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  CORVEX_PIDS=()
}

trap corvex_cleanup EXIT
trap 'exit 130' INT TERM
