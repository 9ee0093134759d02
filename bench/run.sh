#!/usr/bin/env bash
# The benchmarks on a private PostgreSQL instance that lives only for this run (not part of the
# test suite):
#   bench/run.sh
# Environment: BENCH_LINES_30K (lines per document of the 30,000-document run, default 5),
# PG_FAST=1 (server without fsync, as the tests run it; default: an ordinary server).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" --target bench_generation bench_startup bench_reports
build=${OBDRAC_BUILD_DIR:-$root/build}

work=$(mktemp -d /tmp/obdrac-bench.XXXXXX)
chmod 755 "$work"
port=55435
cleanup() { "$root/scripts/pg.sh" stop "$work/pg" || true; rm -rf "$work"; }
trap cleanup EXIT
"$root/scripts/pg.sh" start "$work/pg" "$port"
sock="$work/pg/socket"
"$root/scripts/dbsetup.sh" "$sock" "$port" obdrac_template demo.sql
"$root/scripts/odbcconf.sh" "$work/odbc" "$sock" "$port" obdrac_template
export ODBCSYSINI="$work/odbc" PGHOST="$sock" PGPORT="$port" QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8

echo "== Kreiranje: 3.000 računov po 5 vrstic =="
"$build/bench/bench_generation" --documents 3000 --lines 5 --compare
echo
echo "== Kreiranje: 30.000 računov po ${BENCH_LINES_30K:-5} vrstic (poraba pomnilnika ne sme rasti) =="
"$build/bench/bench_generation" --documents 30000 --lines "${BENCH_LINES_30K:-5}"
echo
echo "== Zagon programa =="
"$build/bench/bench_startup" --runs 7
echo
echo "== Izpis: 10.000 vrstic (500 predlog po 20 vrstic) =="
"$build/bench/bench_reports"
