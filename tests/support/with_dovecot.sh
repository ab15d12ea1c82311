#!/usr/bin/env bash
# with_dovecot.sh <command> [arguments]: runs the command beside a private
# Dovecot POP3 server on a free loopback port, then stops the server by its
# PID. The command finds the port in CORVEX_POP3_PORT, or, when no server
# could be started, the reason in CORVEX_POP3_SKIP (its tests then skip).
# Mailboxes "alice" (three messages) and "bob" (none), password "secret";
# the client never deletes, so the counts hold for the whole run.
set -uo pipefail

root=$(mktemp -d "${TMPDIR:-/tmp}/corvex-pop3.XXXXXX") || { export CORVEX_POP3_SKIP="no temporary folder"; exec "$@"; }
pid=
stop() {
  [ -n "$pid" ] && kill -TERM "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  rm -rf "$root"
}
trap stop EXIT
trap 'exit 130' INT TERM

mailbox() {  # mailbox <user> <messages>
  local i
  mkdir -p "$root/mail/$1/"{new,cur,tmp}
  for ((i = 1; i <= $2; i++)); do
    printf 'From: corvex@localhost\r\nSubject: %d\r\n\r\nBody.\r\n' "$i" >"$root/mail/$1/new/10000000$i.M$i.corvex"
  done
  echo "$1:{PLAIN}secret:65534:65534::$root/mail/$1::" >>"$root/users"
}

greets() {  # greets <port>: "+OK" within 5 s
  local line
  for _ in {1..100}; do
    kill -0 "$pid" 2>/dev/null || return 1
    { exec 3<>"/dev/tcp/127.0.0.1/$1"; } 2>/dev/null && read -r -t 2 line <&3 && exec 3<&- 3>&- &&
      [[ $line == +OK* ]] && return 0
    sleep 0.05
  done
  return 1
}

start() {
  local port attempt
  [ -x /usr/sbin/dovecot ] || { echo "no /usr/sbin/dovecot (package dovecot-pop3d)"; return 1; }
  chmod 755 "$root"  # the mail processes run as nobody
  mailbox alice 3
  mailbox bob 0
  chown -R 65534:65534 "$root/mail" || { echo "cannot give the mailboxes to nobody"; return 1; }
  for attempt in 1 2 3 4 5; do  # a port taken meanwhile: another one
    port=$((20000 + RANDOM % 40000))
    cat >"$root/dovecot.conf" <<CONF
base_dir = $root/run
state_dir = $root/state
instance_name = corvextest$port
log_path = $root/dovecot.log
protocols = pop3
listen = 127.0.0.1
ssl = no
disable_plaintext_auth = no
auth_mechanisms = plain
auth_failure_delay = 0
mail_location = maildir:$root/mail/%u:INDEX=MEMORY
first_valid_uid = 65534
passdb {
  driver = passwd-file
  args = scheme=PLAIN username_format=%u $root/users
}
userdb {
  driver = passwd-file
  args = username_format=%u $root/users
}
service pop3-login {
  inet_listener pop3 {
    address = 127.0.0.1
    port = $port
  }
  inet_listener pop3s {
    port = 0
  }
}
CONF
    /usr/sbin/dovecot -F -c "$root/dovecot.conf" >>"$root/dovecot.out" 2>&1 &
    pid=$!
    greets "$port" && { echo "$port"; return 0; }
    kill -TERM "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    pid=
  done
  echo "dovecot did not greet: $(tail -qn 3 "$root/dovecot.out" "$root/dovecot.log" 2>/dev/null | tr '\n' ' ')"
  return 1
}

# Not in a subshell: the server's PID must stay known here.
if start >"$root/started"; then
  export CORVEX_POP3_PORT=$(<"$root/started")
  echo "with_dovecot: POP3 server on 127.0.0.1:$CORVEX_POP3_PORT (PID $pid)"
else
  export CORVEX_POP3_SKIP=$(<"$root/started")
  echo "with_dovecot: $CORVEX_POP3_SKIP"
fi
"$@"
