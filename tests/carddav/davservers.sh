#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The CardDAV servers the sync tests talk to, on 127.0.0.1 only:
#   davservers.sh start DIR PORT   Radicale on PORT (basic auth, user "tester",
#                                  password "secret"), the same Radicale with
#                                  TLS on PORT+1 (certificate for "localhost"
#                                  from DIR/ca.crt), xandikos on PORT+2
#   davservers.sh stop DIR         stops them and removes DIR
set -eu

action=$1
dir=$2

stop_servers() {
    for pidfile in "$dir"/*.pid; do
        [ -f "$pidfile" ] || continue
        kill "$(cat "$pidfile")" 2>/dev/null || true
    done
    rm -rf "$dir"
}

wait_port() {
    i=0
    until python3 -c "import socket,sys; socket.create_connection(('127.0.0.1', $1), 1)" \
        2>/dev/null; do
        i=$((i + 1))
        if [ $i -gt 100 ]; then
            echo "server on port $1 did not start" >&2
            cat "$dir"/*.log >&2
            exit 1
        fi
        sleep 0.1
    done
}

radicale_config() { # PORT TLS
    cat <<CONF
[server]
hosts = 127.0.0.1:$1
ssl = $2
certificate = $dir/server.crt
key = $dir/server.key
[auth]
type = htpasswd
htpasswd_filename = $dir/users
htpasswd_encryption = plain
delay = 0
[rights]
type = owner_only
[storage]
filesystem_folder = $dir/collections
[web]
type = none
[logging]
level = warning
CONF
}

case $action in
start)
    port=$3
    command -v radicale >/dev/null || { echo "radicale is not installed" >&2; exit 1; }
    command -v xandikos >/dev/null || { echo "xandikos is not installed" >&2; exit 1; }
    stop_servers
    mkdir -p "$dir/collections"
    printf 'tester:secret\nother:secret\n' >"$dir/users"
    (
        cd "$dir"
        openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj '/CN=mavor test CA' \
            -keyout ca.key -out ca.crt
        openssl req -newkey rsa:2048 -nodes -subj '/CN=localhost' -keyout server.key \
            -out server.csr
        printf 'subjectAltName=DNS:localhost\n' >san.ext
        openssl x509 -req -in server.csr -CA ca.crt -CAkey ca.key -CAcreateserial -days 2 \
            -extfile san.ext -out server.crt
    ) >"$dir/openssl.log" 2>&1 || { cat "$dir/openssl.log" >&2; exit 1; }
    radicale_config "$port" False >"$dir/radicale.conf"
    radicale_config "$((port + 1))" True >"$dir/radicale-tls.conf"
    nohup radicale --config "$dir/radicale.conf" >"$dir/radicale.log" 2>&1 &
    echo $! >"$dir/radicale.pid"
    nohup radicale --config "$dir/radicale-tls.conf" >"$dir/radicale-tls.log" 2>&1 &
    echo $! >"$dir/radicale-tls.pid"
    nohup xandikos -d "$dir/xandikos" -l 127.0.0.1 -p "$((port + 2))" \
        --current-user-principal /tester/ --autocreate >"$dir/xandikos.log" 2>&1 &
    echo $! >"$dir/xandikos.pid"
    wait_port "$port"
    wait_port "$((port + 1))"
    wait_port "$((port + 2))"
    ;;
stop)
    stop_servers
    ;;
*)
    echo "usage: davservers.sh start DIR PORT | stop DIR" >&2
    exit 2
    ;;
esac
