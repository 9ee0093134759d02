#!/usr/bin/env bash
# Private PostgreSQL instance: scripts/pg.sh start|stop|status|env DIR [PORT]
# DIR holds data/, socket/ and server.log. As root the server runs as the postgres user.
set -euo pipefail
cmd=${1:?usage: pg.sh start|stop|status|env DIR [PORT]}
dir=${2:?usage: pg.sh start|stop|status|env DIR [PORT]}
port=${3:-55432}
bin=/usr/lib/postgresql/15/bin
data="$dir/data"; sock="$dir/socket"; log="$dir/server.log"

as_owner() {
  if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

case "$cmd" in
  start)
    mkdir -p "$dir" "$sock"
    if [ "$(id -u)" = 0 ]; then chown postgres:postgres "$dir" "$sock"; chmod 755 "$dir"; fi
    if [ ! -s "$data/PG_VERSION" ]; then
      pw=$(mktemp); echo postgres > "$pw"; chmod 644 "$pw"
      as_owner "$bin/initdb" -D "$data" -U postgres -E UTF8 --locale=C.UTF-8 \
        --auth-local=trust --auth-host=scram-sha-256 >/dev/null
      rm -f "$pw"
      # trust only the postgres user on the socket, real passwords for everyone else
      cat > "$dir/pg_hba.conf.new" <<HBA
local   all   postgres                 trust
local   all   all                      scram-sha-256
host    all   all      127.0.0.1/32    scram-sha-256
HBA
      if [ "$(id -u)" = 0 ]; then chown postgres:postgres "$dir/pg_hba.conf.new"; fi
      as_owner mv "$dir/pg_hba.conf.new" "$data/pg_hba.conf"
    fi
    if as_owner "$bin/pg_ctl" -D "$data" status >/dev/null 2>&1; then exit 0; fi
    extra=""
    [ "${PG_FAST:-0}" = 1 ] && extra="-c fsync=off -c synchronous_commit=off -c full_page_writes=off"
    as_owner "$bin/pg_ctl" -D "$data" -l "$log" -w -t 60 \
      -o "-k $sock -p $port -c listen_addresses='' $extra" start >/dev/null
    ;;
  stop)
    [ -d "$data" ] && as_owner "$bin/pg_ctl" -D "$data" -m fast -w stop >/dev/null 2>&1 || true
    ;;
  status)
    as_owner "$bin/pg_ctl" -D "$data" status
    ;;
  env)
    echo "export PGHOST=$sock PGPORT=$port"
    ;;
  *) echo "usage: pg.sh start|stop|status|env DIR [PORT]" >&2; exit 2;;
esac
