#!/usr/bin/env bash
# The benchmarks on a private PostgreSQL instance that lives only for this run (not part of the
# test suite):
#   bench/run.sh [--documents N]
# --documents N adds a run of N documents of 5 lines after the usual ones (for example
# --documents 300000, which takes some minutes; off by default).
# Environment: BENCH_LINES_30K (lines per document of the 30,000-document run, default 5),
# PG_FAST=1 (server without fsync, as the tests run it; default: an ordinary server).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
large=""
while [ $# -gt 0 ]; do
  case "$1" in
    --documents) large=${2:?--documents needs a number}; shift 2;;
    *) echo "usage: bench/run.sh [--documents N]" >&2; exit 2;;
  esac
done
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

# A run of 3,000 documents lasts a few seconds, so the fsync times of a shared machine move its
# ratio to the floor by a third either way: it is measured three times and the median given.
median_ratio() { grep -a 'razmerje kreiranje / spodnja meja' | awk 'NR % 2 == 1 {print $NF}' | sort -n | awk '{v[NR]=$1} END {if (NR) print v[int((NR+1)/2)]}'; }
echo "== Kreiranje: 3.000 računov po 5 vrstic (trikrat) =="
"$build/bench/bench_generation" --documents 3000 --lines 5 --compare | tee "$work/3k.txt"
for i in 2 3; do "$build/bench/bench_generation" --documents 3000 --lines 5 | tee -a "$work/3k.txt"; done
echo "  mediana razmerja kreiranje / spodnja meja (INSERT v paketih po 8 KB): $(median_ratio < "$work/3k.txt")"
echo
echo "== Kreiranje: 30.000 računov po ${BENCH_LINES_30K:-5} vrstic (poraba pomnilnika ne sme rasti) =="
"$build/bench/bench_generation" --documents 30000 --lines "${BENCH_LINES_30K:-5}"
if [ -n "$large" ]; then
  echo
  echo "== Kreiranje: $large računov po 5 vrstic (poraba pomnilnika ne sme rasti) =="
  "$build/bench/bench_generation" --documents "$large" --lines 5
fi
echo
echo "== Zagon programa =="
"$build/bench/bench_startup" --runs 7
echo
echo "== Izpis: 10.000 vrstic (500 predlog po 20 vrstic) =="
"$build/bench/bench_reports"
