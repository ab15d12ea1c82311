#!/usr/bin/env bash
# net_namespace.sh [--silent] <command> [arguments]: runs a test program of
# the network probes in a private mount namespace where /etc/hosts holds
# the test's own names and /etc/resolv.conf a name server on loopback, so
# that no lookup leaves the machine (Wine resolves through the system's
# resolver, not through the prefix's hosts file). The machine's own files
# are never touched.
#
#   corvex-multi  127.0.0.7, 127.0.0.8, 127.0.0.9
#
# --silent: also in a private network namespace that has only a loopback
# interface which answers no echo request. Wine sends echo requests from
# its device process, which the wine server starts in its own namespace:
# so a wine server of its own runs there, on a copy of the prefix (a copy
# is another prefix, whose server cannot be the one already running).
set -euo pipefail
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

silent=0
if [ "${1:-}" = --silent ]; then
  silent=1
  shift
fi
: "${WINEPREFIX:?the Wine prefix of the test run}"

work=$(mktemp -d "${TMPDIR:-/tmp}/corvex-net.XXXXXX")
trap 'rm -rf "$work"' EXIT
{
  cat /etc/hosts
  printf '127.0.0.7 corvex-multi\n127.0.0.8 corvex-multi\n127.0.0.9 corvex-multi\n'
} >"$work/hosts"
printf 'nameserver 127.0.0.1\noptions timeout:1 attempts:1\n' >"$work/resolv.conf"
[ "$silent" -eq 0 ] || cp -a "$WINEPREFIX" "$work/prefix"

inside() {
  mount --bind "$work/hosts" /etc/hosts
  mount --bind "$work/resolv.conf" /etc/resolv.conf
  if [ "$silent" -eq 0 ]; then
    exec "$@"
  fi
  ip link set lo up
  sysctl -qw net.ipv4.icmp_echo_ignore_all=1
  export WINEPREFIX=$work/prefix
  wineserver -p >/dev/null 2>&1 &
  local server=$! status=0
  # Wine's own services start with the first program and would hold the
  # test's output open: start them first (as scripts/lib.sh does).
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  corvex_wine_settings
  "$@" || status=$?
  wineserver -k >/dev/null 2>&1 || true
  wait "$server" 2>/dev/null || true
  return "$status"
}

export -f inside corvex_wine_settings
export work silent
namespaces=(--mount --propagation private)
[ "$silent" -eq 0 ] || namespaces+=(--net)
unshare "${namespaces[@]}" bash -c 'inside "$@"' inside "$@"
