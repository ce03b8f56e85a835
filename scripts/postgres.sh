# Sourced by scripts/test and bench/run: starts a private PostgreSQL server,
# so the shared register is tested against a real one.
#
# The server's data, configuration and socket live in a temporary folder. It
# listens on its Unix socket, and on this machine's loopback address (never
# the network) with TLS only; it is stopped by its process id when the
# sourcing script exits. As root it runs as the unprivileged user postgres
# (the server refuses to run as root).
# Afterwards:
#   QUILLMARK_PG_HOST      the folder holding the server's socket
#   QUILLMARK_PG_PORT      the port: it names the socket, and 127.0.0.1 takes TLS there
#   QUILLMARK_PG_USER      the server's superuser
#   QUILLMARK_PG_TLS_ROOT  the certificate the server shows, made for "localhost"
#                          and signed by itself, so also the root to check it by
# Roles in the group quillmark_password_users sign in with a password; every
# other role is trusted, since only this machine reaches the server.

source "$(dirname "${BASH_SOURCE[0]}")/packages.sh"
need_packages $SERVER_PACKAGES openssl

quillmark_pg_bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
quillmark_pg_dir=$(mktemp -d /tmp/quillmark-pg.XXXXXX)
quillmark_pg_as=()
if [ "$(id -u)" -eq 0 ]; then
    chown postgres: "$quillmark_pg_dir"
    quillmark_pg_as=(runuser -u postgres --)
fi
# The socket folder is the data folder's parent: readable by every test.
chmod 755 "$quillmark_pg_dir"

export QUILLMARK_PG_HOST="$quillmark_pg_dir"
# A free port, so that a server of the system's own is left alone.
export QUILLMARK_PG_PORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
export QUILLMARK_PG_USER=$("${quillmark_pg_as[@]}" id -un)
export QUILLMARK_PG_TLS_ROOT="$quillmark_pg_dir/server.crt"

"${quillmark_pg_as[@]}" "$quillmark_pg_bin/initdb" -D "$quillmark_pg_dir/data" -U "$QUILLMARK_PG_USER" \
    -E UTF8 --locale=C.UTF-8 --auth-local=trust >"$quillmark_pg_dir/initdb.log" 2>&1 \
    || { cat "$quillmark_pg_dir/initdb.log"; return 1; }
cat >"$quillmark_pg_dir/data/pg_hba.conf" <<EOF
local all +quillmark_password_users scram-sha-256
local all all trust
hostssl all all 127.0.0.1/32 trust
EOF
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=localhost" \
    -addext "subjectAltName=DNS:localhost" -keyout "$quillmark_pg_dir/server.key" \
    -out "$QUILLMARK_PG_TLS_ROOT" 2>/dev/null
chmod 600 "$quillmark_pg_dir/server.key"
[ ${#quillmark_pg_as[@]} -eq 0 ] || chown postgres: "$quillmark_pg_dir/server.key"

# fsync off: a test server's data need not survive a power cut.
"${quillmark_pg_as[@]}" "$quillmark_pg_bin/postgres" -D "$quillmark_pg_dir/data" \
    -c listen_addresses=127.0.0.1 -c unix_socket_directories="$quillmark_pg_dir" \
    -c port="$QUILLMARK_PG_PORT" -c fsync=off -c max_connections=200 \
    -c ssl=on -c ssl_cert_file="$QUILLMARK_PG_TLS_ROOT" -c ssl_key_file="$quillmark_pg_dir/server.key" \
    >"$quillmark_pg_dir/server.log" 2>&1 &
quillmark_postgres_pid=$!

quillmark_stop_postgres() {
    # The server's own process id, which it writes first in its pid file:
    # runuser, in between as root, may not pass a signal on. A fast stop
    # ends the sessions the tests left open.
    local server_pid
    server_pid=$(head -1 "$quillmark_pg_dir/data/postmaster.pid" 2>/dev/null)
    [ -n "$server_pid" ] && kill -INT "$server_pid" 2>/dev/null
    wait "$quillmark_postgres_pid" 2>/dev/null
    rm -rf "$quillmark_pg_dir"
}
# Both spoolers may be started by one script: each keeps the other's stop.
trap "quillmark_stop_postgres; $(trap -p EXIT | sed -e "s/^trap -- '//" -e "s/' EXIT$//")" EXIT

for _ in $(seq 100); do
    "$quillmark_pg_bin/pg_isready" -q -h "$QUILLMARK_PG_HOST" -p "$QUILLMARK_PG_PORT" && break
    sleep 0.1
done
