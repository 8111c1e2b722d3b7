#!/bin/sh
# A throwaway PostgreSQL cluster for the test suite, reached only through a
# socket in its own directory (no network port):
#   cluster.sh start DIR MAVOR_ADMIN   a new cluster, with the database
#                                      mavor_template made by "mavor-admin initdb"
#   cluster.sh stop DIR                stops it and removes DIR
# The server refuses to run as root: as root (the CI machine) it runs as the
# postgres user that Debian's package creates.
set -eu

action=$1
dir=$2
bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$bindir" ]; then
    echo "PostgreSQL is not installed (Debian package postgresql)" >&2
    exit 1
fi

as_owner() {
    if [ "$(id -u)" = 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

stop_cluster() {
    if [ -f "$dir/data/postmaster.pid" ]; then
        as_owner "$bindir/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    rm -rf "$dir"
}

case $action in
start)
    admin=$3
    stop_cluster
    mkdir -p "$dir"
    if [ "$(id -u)" = 0 ]; then
        chown postgres "$dir"
    fi
    as_owner "$bindir/initdb" -D "$dir/data" -U postgres --auth=trust -E UTF8 \
        --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
    # Nothing here needs to survive a crash: no waiting for the disk.
    as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
        -o "-k $dir -c listen_addresses='' -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" \
        start >/dev/null || { cat "$dir/server.log" >&2; exit 1; }
    "$bindir/psql" -X -q -h "$dir" -U postgres -d postgres -c "create database mavor_template"
    host=$(printf '%s' "$dir" | sed 's|/|%2F|g')
    "$admin" initdb "postgresql://postgres@$host/mavor_template"
    ;;
stop)
    stop_cluster
    ;;
*)
    echo "usage: cluster.sh start DIR MAVOR_ADMIN | stop DIR" >&2
    exit 2
    ;;
esac
