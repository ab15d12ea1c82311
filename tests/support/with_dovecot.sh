#!/usr/bin/env bash
# with_dovecot.sh <command> [arguments]: runs the command beside a private
# Dovecot POP3 server on a free loopback port, then stops the server by its
# PID. The command finds the port in CORVEX_POP3_PORT; when no server could
# be started it finds the reason in CORVEX_POP3_SKIP instead, and the tests
# that need the server skip with it.
#
# Mailboxes: "alice" with three messages and "bob" with none, both with the
# password "secret". Nothing deletes a message (the client never sends DELE),
# so the counts hold for every login of the run.
set -uo pipefail

root=$(mktemp -d "${TMPDIR:-/tmp}/corvex-pop3.XXXXXX")
pid=
stop() {
  if [ -n "$pid" ]; then
    kill -TERM "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  fi
  rm -rf "$root"
}
trap stop EXIT
trap 'exit 130' INT TERM

mailbox() {  # mailbox <user> <messages>
  local dir=$root/mail/$1 i
  mkdir -p "$dir/new" "$dir/cur" "$dir/tmp"
  for ((i = 1; i <= $2; i++)); do
    printf 'From: corvex@localhost\r\nTo: %s@localhost\r\nSubject: message %d\r\n\r\nBody %d.\r\n' \
      "$1" "$i" "$i" >"$dir/new/100000000$i.M$i.corvex"
  done
}

# Answers "+OK" on `port` within 5 s.
greets() {
  local line n
  for ((n = 0; n < 100; n++)); do
    kill -0 "$pid" 2>/dev/null || return 1
    if { exec 3<>"/dev/tcp/127.0.0.1/$1"; } 2>/dev/null; then
      read -r -t 2 line <&3
      exec 3<&- 3>&-
      [[ $line == +OK* ]] && return 0
    fi
    sleep 0.05
  done
  return 1
}

start() {
  local dovecot=/usr/sbin/dovecot port attempt
  [ -x "$dovecot" ] || { echo "no $dovecot (package dovecot-pop3d)"; return 1; }
  chmod 755 "$root"  # the mail processes run as nobody
  mkdir -p "$root/run" "$root/state"
  mailbox alice 3
  mailbox bob 0
  chown -R 65534:65534 "$root/mail" || { echo "cannot give the mailboxes to nobody"; return 1; }
  {
    echo "alice:{PLAIN}secret:65534:65534::$root/mail/alice::"
    echo "bob:{PLAIN}secret:65534:65534::$root/mail/bob::"
  } >"$root/users"
  for attempt in 1 2 3 4 5; do
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
auth_failure_delay = 0
CONF
    "$dovecot" -F -c "$root/dovecot.conf" >>"$root/dovecot.out" 2>&1 &
    pid=$!
    if greets "$port"; then
      echo "$port"
      return 0
    fi
    kill -TERM "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=
  done
  echo "dovecot did not greet: $(tail -n 3 "$root/dovecot.out" "$root/dovecot.log" 2>/dev/null | tr '\n' ' ')"
  return 1
}

# start runs in this shell (not a subshell), so that the PID stays known.
start >"$root/started"
started=$?
if [ "$started" -eq 0 ]; then
  export CORVEX_POP3_PORT
  CORVEX_POP3_PORT=$(cat "$root/started")
  echo "with_dovecot: POP3 server on 127.0.0.1:$CORVEX_POP3_PORT (PID $pid)"
else
  export CORVEX_POP3_SKIP
  CORVEX_POP3_SKIP=$(cat "$root/started")
  echo "with_dovecot: $CORVEX_POP3_SKIP"
fi
"$@"
