#!/usr/bin/env bash
# A private PostgreSQL server on loopback for the data-access tests.
#
#   tools/postgres.sh start <folder>   # prints the ODBC connection string
#   tools/postgres.sh stop <folder>
#
# The cluster is made afresh in <folder>/data on every start (a new
# superuser "suite" with a random password, password logins over TCP
# only, no Unix socket), on a free port of 127.0.0.1. The server refuses
# to run as root, so under root it runs as the "postgres" account that
# the server package creates; when that account cannot reach <folder>
# (a clone under /root), the cluster goes to a private folder under /tmp
# instead and <folder>/location says where.
set -euo pipefail

die() { echo "postgres: $*" >&2; exit 1; }

bindir() {
  local pg_ctl
  if pg_ctl=$(command -v pg_ctl 2>/dev/null) && [ "$(basename "$(dirname "$pg_ctl")")" = bin ] &&
     [ -x "$(dirname "$pg_ctl")/initdb" ]; then
    dirname "$pg_ctl"; return
  fi
  # Debian keeps the server's programs out of PATH, one folder per version.
  local d
  d=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
  [ -n "$d" ] && [ -x "$d/initdb" ] || die "no PostgreSQL server installed (run tools/setup.sh as root)"
  echo "$d"
}

# Runs a server program as the account the server accepts.
as_server_user() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

start() {
  local folder=$1 bin cluster password port
  bin=$(bindir)
  mkdir -p "$folder"
  folder=$(cd "$folder" && pwd)
  stop "$folder" 2>/dev/null || true
  cluster=$folder
  if [ "$(id -u)" -eq 0 ]; then
    id postgres >/dev/null 2>&1 || die "the server runs as the account postgres, which does not exist"
    chown postgres: "$folder"
    if ! runuser -u postgres -- test -w "$folder"; then
      cluster=$(mktemp -d /tmp/suite-postgres.XXXXXX)
      chown postgres: "$cluster"
    fi
  fi
  echo "$cluster" > "$folder/location"
  as_server_user rm -rf "$cluster/data"
  password=$(od -An -tx1 -N16 /dev/urandom | tr -d ' \n')
  ( umask 077; echo "$password" > "$cluster/password" )
  [ "$(id -u)" -ne 0 ] || chown postgres: "$cluster/password"
  as_server_user "$bin/initdb" -D "$cluster/data" -U suite --pwfile="$cluster/password" \
    --auth-local=reject --auth-host=scram-sha-256 -E UTF8 --locale=C.UTF-8 >"$cluster/initdb.log" 2>&1 ||
    die "initdb failed: $(tail -n 5 "$cluster/initdb.log")"
  rm -f "$cluster/password"
  port=$(free_port)
  as_server_user tee -a "$cluster/data/postgresql.conf" >/dev/null <<CONF
listen_addresses = '127.0.0.1'
port = $port
unix_socket_directories = ''
fsync = off
CONF
  as_server_user "$bin/pg_ctl" -D "$cluster/data" -l "$cluster/data/server.log" -w -t 60 start >/dev/null ||
    die "the server did not start: $(tail -n 5 "$cluster/data/server.log" 2>/dev/null)"
  echo "DRIVER={PostgreSQL Unicode};Server=127.0.0.1;Port=$port;Database=postgres;Uid=suite;Pwd=$password;"
}

stop() {
  local folder=$1 cluster
  [ -f "$folder/location" ] || return 0
  cluster=$(cat "$folder/location")
  if [ -f "$cluster/data/postmaster.pid" ]; then
    as_server_user "$(bindir)/pg_ctl" -D "$cluster/data" -m fast -w stop >/dev/null 2>&1 || true
  fi
  [ "$cluster" = "$folder" ] || rm -rf "$cluster"
  rm -f "$folder/location"
}

case ${1:-} in
  start) [ $# -eq 2 ] || die "usage: $0 start <folder>"; start "$2" ;;
  stop) [ $# -eq 2 ] || die "usage: $0 stop <folder>"; stop "$2" ;;
  *) die "usage: $0 start|stop <folder>" ;;
esac
