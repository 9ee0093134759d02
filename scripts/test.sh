#!/usr/bin/env bash
# The whole test suite against a private PostgreSQL instance that lives only for this run.
#   scripts/test.sh [ctest arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh"
# The print queue of the printing tests (a cups-pdf queue; see scripts/cups.sh).
if printer_env=$("$root/scripts/cups.sh"); then
  export $printer_env
fi

work=$(mktemp -d /tmp/obdrac-test.XXXXXX)
chmod 755 "$work"
port=55433
cleanup() { "$root/scripts/pg.sh" stop "$work/pg" || true; rm -rf "$work"; }
trap cleanup EXIT
PG_FAST=1 "$root/scripts/pg.sh" start "$work/pg" "$port"
sock="$work/pg/socket"
"$root/scripts/dbsetup.sh" "$sock" "$port" obdrac_template demo.sql
"$root/scripts/dbsetup.sh" "$sock" "$port" obdrac_template2 demo2.sql
"$root/scripts/odbcconf.sh" "$work/odbc" "$sock" "$port" obdrac_template

export ODBCSYSINI="$work/odbc" PGHOST="$sock" PGPORT="$port"
export OBDRAC_TEST_PGHOST="$sock" OBDRAC_TEST_PGPORT="$port" OBDRAC_TEST_WORK="$work"
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
cd "${OBDRAC_BUILD_DIR:-$root/build}"
ctest --output-on-failure -j2 "$@"
