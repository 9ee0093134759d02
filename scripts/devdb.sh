#!/usr/bin/env bash
# A developer's persistent test instance, so that ctest can be run by hand:
#   eval "$(scripts/devdb.sh)"            start it (once) and print the environment
#   eval "$(scripts/devdb.sh --reload)"   also rebuild the template databases from db/*.sql
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=/tmp/obdrac-dev; port=55434; sock="$work/pg/socket"
mkdir -p "$work"; chmod 755 "$work"
PG_FAST=1 "$root/scripts/pg.sh" start "$work/pg" "$port" >&2
if [ "${1:-}" = --reload ]; then
  for d in obdrac_template obdrac_template2; do
    psql -X -q -h "$sock" -p "$port" -U postgres -d postgres -c "DROP DATABASE IF EXISTS $d WITH (FORCE)" >&2
  done
fi
(
  flock 9
  "$root/scripts/dbsetup.sh" "$sock" "$port" obdrac_template demo.sql >&2
  "$root/scripts/dbsetup.sh" "$sock" "$port" obdrac_template2 demo2.sql >&2
) 9>"$work/setup.lock"
"$root/scripts/odbcconf.sh" "$work/odbc" "$sock" "$port" obdrac_template
echo "export ODBCSYSINI=$work/odbc PGHOST=$sock PGPORT=$port OBDRAC_TEST_PGHOST=$sock OBDRAC_TEST_PGPORT=$port OBDRAC_TEST_WORK=$work QT_QPA_PLATFORM=offscreen"
