# Sourced by scripts/test and bench/run: starts a private PostgreSQL server,
# so the shared register is tested against a real one.
#
# The server's data, configuration and socket live in a temporary folder; it
# listens on its Unix socket only, never on the network, and is stopped by
# its process id when the sourcing script exits. As root it runs as the
# unprivileged user postgres (the server refuses to run as root).
# Afterwards:
#   QUILLMARK_PG_HOST  the folder holding the server's socket
#   QUILLMARK_PG_PORT  the port that names the socket
#   QUILLMARK_PG_USER  the server's superuser
# Roles in the group quillmark_password_users sign in with a password; every
# other role is trusted on the socket, which only this machine reaches.

source "$(dirname "${BASH_SOURCE[0]}")/packages.sh"
need_packages $SERVER_PACKAGES

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
export QUILLMARK_PG_PORT=5432
export QUILLMARK_PG_USER=$("${quillmark_pg_as[@]}" id -un)

"${quillmark_pg_as[@]}" "$quillmark_pg_bin/initdb" -D "$quillmark_pg_dir/data" -U "$QUILLMARK_PG_USER" \
    -E UTF8 --locale=C.UTF-8 --auth-local=trust >"$quillmark_pg_dir/initdb.log" 2>&1 \
    || { cat "$quillmark_pg_dir/initdb.log"; return 1; }
cat >"$quillmark_pg_dir/data/pg_hba.conf" <<EOF
local all +quillmark_password_users scram-sha-256
local all all trust
EOF
# fsync off: a test server's data need not survive a power cut.
"${quillmark_pg_as[@]}" "$quillmark_pg_bin/postgres" -D "$quillmark_pg_dir/data" \
    -c listen_addresses='' -c unix_socket_directories="$quillmark_pg_dir" \
    -c port="$QUILLMARK_PG_PORT" -c fsync=off -c max_connections=200 \
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
