#!/bin/sh
# A private PostgreSQL server for the data-layer tests.
#   postgres-server.sh start DIR PORT   fresh cluster in DIR, listening on 127.0.0.1:PORT with
#                                       its socket in DIR, trust authentication, database
#                                       "norva_test", superuser "postgres"
#   postgres-server.sh stop DIR         stops it and removes DIR
# initdb and pg_ctl refuse to run as root, so as root they run as the postgres user, and DIR
# must be a folder that user can own (under /tmp).
set -eu

usage() {
    echo "usage: $0 start DIR PORT | stop DIR" >&2
    exit 2
}

[ $# -ge 2 ] || usage
action=$1
dir=$2

bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$bin" ] || [ ! -x "$bin/initdb" ]; then
    echo "postgres-server.sh: no PostgreSQL server under /usr/lib/postgresql" >&2
    exit 1
fi

as_owner() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

stop_server() {
    if [ -f "$dir/data/postmaster.pid" ]; then
        as_owner "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 || true
    fi
}

case $action in
start)
    [ $# -eq 3 ] || usage
    port=$3
    if [ "$(id -u)" -eq 0 ]; then
        case $dir in
        /tmp/?*) ;;
        *)
            echo "postgres-server.sh: as root DIR must lie under /tmp, not $dir" >&2
            exit 1
            ;;
        esac
    fi
    # A server left behind by an interrupted run is stopped and its files dropped.
    stop_server
    rm -rf "$dir"
    mkdir -p "$dir/socket"
    if [ "$(id -u)" -eq 0 ]; then chown -R postgres:postgres "$dir"; fi
    as_owner "$bin/initdb" -D "$dir/data" -A trust -U postgres -E UTF8 --no-sync \
        >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
    as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
        -o "-c listen_addresses=127.0.0.1 -p $port -k $dir/socket -c fsync=off" start \
        >/dev/null || { cat "$dir/server.log" >&2; exit 1; }
    as_owner "$bin/createdb" -h 127.0.0.1 -p "$port" -U postgres norva_test
    echo "PostgreSQL running on 127.0.0.1:$port in $dir"
    ;;
stop)
    stop_server
    rm -rf "$dir"
    ;;
*)
    usage
    ;;
esac
