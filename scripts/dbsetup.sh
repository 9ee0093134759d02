#!/usr/bin/env bash
# Creates the login role and the company databases on a running private instance.
#   scripts/dbsetup.sh SOCKETDIR PORT DATABASE [SEED...]
# The database is created from db/schema.sql and the given seed files (relative to db/),
# unless it exists already; the shipped report definitions (db/reports/reports.tsv) are then
# added or brought up to date in every case.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sock=$1; port=$2; db=$3; shift 3
psql_pg() { psql -X -q -v ON_ERROR_STOP=1 -h "$sock" -p "$port" -U postgres "$@"; }
psql_pg -d postgres -tAc "SELECT 1 FROM pg_roles WHERE rolname='obdrac'" | grep -q 1 ||
  psql_pg -d postgres -c "CREATE ROLE obdrac LOGIN CREATEDB PASSWORD 'obdrac'"
if ! psql_pg -d postgres -tAc "SELECT 1 FROM pg_database WHERE datname='$db'" | grep -q 1; then
  psql_pg -d postgres -c "CREATE DATABASE \"$db\" OWNER obdrac ENCODING 'UTF8' TEMPLATE template0"
  files=(-f "$root/db/schema.sql")
  for s in "$@"; do files+=(-f "$root/db/$s"); done
  PGPASSWORD=obdrac psql -X -q -v ON_ERROR_STOP=1 -h "$sock" -p "$port" -U obdrac -d "$db" "${files[@]}" >/dev/null
fi

while IFS=$'\t' read -r code name form file; do
  [[ -z "$code" || "$code" == \#* ]] && continue
  PGPASSWORD=obdrac psql -X -q -v ON_ERROR_STOP=1 -h "$sock" -p "$port" -U obdrac -d "$db" \
    -v code="$code" -v name="$name" -v form="$form" -v data="$(cat "$root/db/reports/$file")" \
    -f "$root/db/reports.sql" >/dev/null
done < "$root/db/reports/reports.tsv"
