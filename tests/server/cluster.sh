#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# A throwaway PostgreSQL cluster for the test suite, reached through a socket
# in its own directory and, for the tests of sign-in and TLS, on 127.0.0.1:
#   cluster.sh start DIR MAVOR_ADMIN PORT
#                                      a new cluster, with the database
#                                      mavor_template made by "mavor-admin initdb"
#                                      and its team's roles, plus a member
#                                      "mavor_template.tester"
# The socket trusts everyone; TCP asks for SCRAM passwords. TLS uses a CA made
# here (DIR/ca.crt) and a certificate for "localhost" only; DIR/other-ca.crt
# is a CA that signed nothing of this server.
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
    port=$4
    stop_cluster
    mkdir -p "$dir"
    if [ "$(id -u)" = 0 ]; then
        chown postgres "$dir"
    fi
    as_owner "$bindir/initdb" -D "$dir/data" -U postgres --auth=trust -E UTF8 \
        --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
    cat >"$dir/data/pg_hba.conf" <<HBA
local all all trust
host all all 127.0.0.1/32 scram-sha-256
HBA
    subj() { printf '/CN=%s' "$1"; }
    (
        cd "$dir"
        openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "$(subj 'mavor test CA')" \
            -keyout ca.key -out ca.crt
        openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "$(subj 'impostor CA')" \
            -keyout other-ca.key -out other-ca.crt
        openssl req -newkey rsa:2048 -nodes -subj "$(subj localhost)" -keyout server.key \
            -out server.csr
        printf 'subjectAltName=DNS:localhost\n' >san.ext
        openssl x509 -req -in server.csr -CA ca.crt -CAkey ca.key -CAcreateserial -days 2 \
            -extfile san.ext -out server.crt
        chmod 600 server.key
        [ "$(id -u)" != 0 ] || chown postgres server.key server.crt
    ) >"$dir/openssl.log" 2>&1 || { cat "$dir/openssl.log" >&2; exit 1; }
    # Nothing here needs to survive a crash: no waiting for the disk.
    as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
        -o "-k $dir -p $port -c listen_addresses=127.0.0.1 -c ssl=on -c ssl_cert_file=$dir/server.crt -c ssl_key_file=$dir/server.key -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" \
        start >/dev/null || { cat "$dir/server.log" >&2; exit 1; }
    "$bindir/psql" -X -q -h "$dir" -p "$port" -U postgres -d postgres \
        -c "create database mavor_template"
    host=$(printf '%s' "$dir" | sed 's|/|%2F|g')
    "$admin" initdb "postgresql://postgres@$host:$port/mavor_template" >"$dir/team.log"
    "$bindir/psql" -X -q -h "$dir" -p "$port" -U postgres -d mavor_template \
        -c 'create role "mavor_template.tester" login in role "mavor_template/members"'
    ;;
stop)
    stop_cluster
    ;;
*)
    echo "usage: cluster.sh start DIR MAVOR_ADMIN PORT | stop DIR" >&2
    exit 2
    ;;
esac
