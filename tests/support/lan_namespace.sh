#!/usr/bin/env bash
# Runs a test program under Wine inside a network namespace of its own,
# whose only card is one end of a veth pair; the other end lies in a second
# namespace made here, which answers echoes. The program finds the peer's
# address in CORVEX_LAN_PEER and its card's name in CORVEX_LAN_CARD. Wine
# reads the interfaces through its own services, which must run in that
# namespace too: a wine server of its own, on a copy of the caller's
# prefix. Everything made or started here is removed or stopped here.
#
#   lan_namespace.sh <program.exe> [arguments]   (as root)
set -uo pipefail
[ "$(id -u)" -eq 0 ] || { echo "lan_namespace.sh: network namespaces need root" >&2; exit 1; }
: "${WINEPREFIX:?the Wine prefix to copy}"
if [ "${CORVEX_LAN_NAMESPACE:-}" != 1 ]; then
  CORVEX_LAN_NAMESPACE=1 exec unshare --net "$0" "$@"
fi

card=cvxlan0
prefix=""
holder=""
cleanup() {
  [ -n "$prefix" ] && WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  [ -n "$holder" ] && kill "$holder" 2>/dev/null && wait "$holder" 2>/dev/null
  [ -n "$prefix" ] && rm -rf "$prefix"
}
trap cleanup EXIT

ip link set lo up
unshare --net sleep 300 &  # keeps the peer's namespace for the test's time
holder=$!
sleep 0.2
ip link add "$card" type veth peer name cvxlan1 netns "$holder" || exit 1
ip addr add 10.231.0.1/30 dev "$card"
ip link set "$card" up
nsenter -t "$holder" -n sh -c 'ip link set lo up; ip addr add 10.231.0.2/30 dev cvxlan1;
                                ip link set cvxlan1 up' || exit 1

prefix=$(mktemp -d "${WINEPREFIX%/}.lan.XXXXXX")
cp -a "$WINEPREFIX/." "$prefix/" || exit 1
export WINEPREFIX=$prefix CORVEX_LAN_PEER=10.231.0.2 CORVEX_LAN_CARD=$card
# Wine's services would hold the caller's output open: started apart.
wine cmd /c exit </dev/null >/dev/null 2>&1
wine "$@"
