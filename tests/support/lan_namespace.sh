#!/usr/bin/env bash
# Runs a test program under Wine in a network namespace of its own, whose
# only card is one end of a veth pair; the other end lies in a second
# namespace, which answers echoes. The program finds the peer's address in
# CORVEX_LAN_PEER and its card's name in CORVEX_LAN_CARD. Wine reads the
# interfaces through its services, which must run in that namespace too: a
# wine server of its own, on a copy of the caller's prefix. What is made or
# started here is removed or stopped here.   lan_namespace.sh <program> [args]
set -uo pipefail
[ "$(id -u)" -eq 0 ] || { echo "lan_namespace.sh: network namespaces need root" >&2; exit 1; }
: "${WINEPREFIX:?the Wine prefix to copy}"
[ "${CORVEX_LAN_NAMESPACE:-}" = 1 ] || CORVEX_LAN_NAMESPACE=1 exec unshare --net "$0" "$@"

prefix="" holder=""
cleanup() {
  [ -n "$prefix" ] && WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  [ -n "$holder" ] && kill "$holder" 2>/dev/null && wait "$holder" 2>/dev/null
  [ -n "$prefix" ] && rm -rf "$prefix"
}
trap cleanup EXIT

ip link set lo up
unshare --net sleep 300 &  # holds the peer's namespace for the test's time
holder=$!
sleep 0.2
ip link add cvxlan0 type veth peer name cvxlan1 netns "$holder" || exit 1
ip addr add 10.231.0.1/30 dev cvxlan0 && ip link set cvxlan0 up || exit 1
nsenter -t "$holder" -n sh -c 'ip link set lo up && ip addr add 10.231.0.2/30 dev cvxlan1 &&
                                ip link set cvxlan1 up' || exit 1

prefix=$(mktemp -d "${WINEPREFIX%/}.lan.XXXXXX")
cp -a "$WINEPREFIX/." "$prefix/" || exit 1
export WINEPREFIX=$prefix CORVEX_LAN_PEER=10.231.0.2 CORVEX_LAN_CARD=cvxlan0
wine cmd /c exit </dev/null >/dev/null 2>&1  # Wine's services would hold the output open
wine "$@"
