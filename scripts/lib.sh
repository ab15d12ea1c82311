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

# corvex_windows: sets CORVEX_WINDOWS to the Windows tree that runs here,
# win32 or win64, and makes "wine" run it. The programs are 32-bit, and
# they are what the tests and benchmarks run wherever the kernel runs
# 32-bit programs. A kernel whose 32-bit emulation is off (some virtual
# machines boot that way) runs none, Wine's own loader included: there the
# same sources are built for 64-bit Windows (the win64 tree) and run under
# 64-bit Wine, and the run says so. CORVEX_WINDOWS=win64 asks for that
# anywhere. Call after corvex_install.
corvex_windows() {
  if [ -z "${CORVEX_WINDOWS:-}" ]; then
    CORVEX_WINDOWS=win32
    /lib/ld-linux.so.2 --version >/dev/null 2>&1 || CORVEX_WINDOWS=win64
  fi
  export CORVEX_WINDOWS
  [ "$CORVEX_WINDOWS" = win64 ] || return 0
  corvex_log "this machine runs no 32-bit program: the Windows tests run the win64 build under 64-bit Wine"
  corvex_install g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine64
  # Debian's wine and its tools (wineboot, winepath: wine-stable) take the
  # 32-bit loader whenever it is installed.
  local shims=$CORVEX_BUILD/wine64-shims name
  mkdir -p "$shims"
  for name in wine wine-stable; do
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$shims/$name"
    chmod +x "$shims/$name"
  done
  case ":$PATH:" in *":$shims:"*) ;; *) export PATH="$shims:$PATH" ;; esac
  export WINELOADER=/usr/lib/wine/wine64
}

# corvex_build native|win32|win64 [target...]: configures once, then builds
# incrementally (only the targets named, where any are).
corvex_build() {
  local tree=$1 dir=$CORVEX_BUILD/$1 args=() targets=()
  shift
  [ $# -eq 0 ] || targets=(--target "$@")
  if [ "$tree" = win32 ]; then
    args=(-DCMAKE_TOOLCHAIN_FILE="$CORVEX_ROOT/cmake/mingw-i686.cmake")
  elif [ "$tree" = win64 ]; then
    args=(-DCMAKE_TOOLCHAIN_FILE="$CORVEX_ROOT/cmake/mingw-x86_64.cmake")
  else
    args=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCORVEX_FUZZ=ON)
  fi
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    corvex_log "configuring the $tree tree"
    cmake -S "$CORVEX_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCORVEX_TEST_RESULTS="$CORVEX_BUILD/test-results" "${args[@]}" >/dev/null
  fi
  corvex_log "building the $tree tree"
  # The build's own status, not the filter's: a failed build stops here
  # instead of leaving the tests an older program to run.
  cmake --build "$dir" -j "$(nproc)" "${targets[@]}" -- --no-print-directory |
    { grep -Ev '^\[|^Consolidate|^Scanning|Built target' || true; }
  return "${PIPESTATUS[0]}"
}

corvex_wine_env() {
  export WINEARCH=${CORVEX_WINDOWS:-win32} WINEDEBUG=-all
  export WINEDLLOVERRIDES="winealsa.drv=d;mscoree=d;mshtml=d"
  export WINEPREFIX=$1
}

# corvex_wine_prefix <folder> fresh|keep: a prefix of CORVEX_WINDOWS's kind
# (32-bit unless corvex_windows chose win64). "fresh" gives a
# clean HKEY_CURRENT_USER (a new account) copied from a template made once.
corvex_wine_prefix() {
  local prefix=$1 mode=$2 template=$CORVEX_BUILD/wine/template-${CORVEX_WINDOWS:-win32}
  if [ ! -f "$template/system.reg" ]; then
    corvex_log "creating the Wine prefix template"
    rm -rf "$template"
    mkdir -p "$(dirname "$template")"
    ( corvex_wine_env "$template"; wineboot -i >/dev/null 2>&1; wineserver -w )
  fi
  if [ "$mode" = fresh ] || ! grep -qx "#arch=${CORVEX_WINDOWS:-win32}" "$prefix/system.reg" 2>/dev/null; then
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
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  CORVEX_PIDS+=($!)
  read -r -t 20 n <"$fifo" || { rm -f "$fifo"; corvex_log "Xvfb did not start"; return 1; }
  rm -f "$fifo"
  export DISPLAY=":$n"
  # A desktop session loads X resources at login (xrdb). On a display with
  # none at all, libX11 answers every resource lookup by reading
  # ~/.Xdefaults and ~/.Xdefaults-<host> again, and Wine looks up the Xft
  # settings on every font selection: some 16 file opens per painted
  # Speeder, most of a tick's cost. One resource that nothing here reads is
  # enough; -noreset keeps it when the last program leaves the display.
  xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER $'corvex.display:\tprivate\n'
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

# Settings of a test or benchmark prefix, for a display without a window
# manager and with no one watching it. Without a window manager on Xvfb,
# Wine waits about 2 s on every hide of a managed window; unmanaged windows
# need no such wait. A crashing program gets a backtrace on its standard
# error and ends, instead of a crash dialog that no one closes.
corvex_wine_settings() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
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
