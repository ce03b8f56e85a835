# Sourced by the other scripts: installs the Debian packages they need,
# only those that are missing.

# Packages to build and run the program. fonts-dejavu-core gives the face
# that cheques are printed in; fonts-liberation2 the Arial-like face of the
# splash. mdbtools-dev (with pkg-config to find it) reads the older
# program's Access data file once, to bring its data over. libcups2-dev
# lets the printer ask CUPS whether it took a cheque. libsqlite3-dev lets the
# bulk import and export, and the copies taken while the program runs (the
# online backup), use SQLite's own interface (the library itself is the one
# Qt's driver already uses). libqt6sql6-psql is Qt's driver for a shared
# register on a PostgreSQL server.
APP_PACKAGES="cmake g++ make qt6-base-dev libqt6sql6-sqlite fonts-dejavu-core fonts-liberation2 mdbtools-dev pkg-config libcups2-dev libsqlite3-dev libqt6sql6-psql"

need_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# A PostgreSQL server the tests start for the shared register, and Qt's
# driver for it (the program itself needs only the driver).
SERVER_PACKAGES="postgresql libqt6sql6-psql"

# The floors the benchmarks measure against: mdb-export of mdbtools and
# the sqlite3 shell.
BENCH_PACKAGES="mdbtools sqlite3"

# Packages to build and check the Debian package: dpkg-shlibdeps (in
# dpkg-dev) computes its dependencies; the others check what it holds.
PACKAGE_PACKAGES="dpkg-dev file lintian appstream desktop-file-utils"
