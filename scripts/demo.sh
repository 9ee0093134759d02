#!/usr/bin/env bash
# Builds obdrac and runs it on the built-in demo company.
#   scripts/demo.sh            the program (needs a display); without one, a demonstration on the
#                              console: obdrac-run lists what is due (--dry-run), makes it and
#                              shows the documents it wrote
# The demo company lives in a private PostgreSQL instance that is created and seeded on first
# use and kept between runs (stop it with: scripts/pg.sh stop <folder printed below>).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh"
build=${OBDRAC_BUILD_DIR:-$root/build}

data=${OBDRAC_DEMO_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/obdrac-demo}
mkdir -p "$data"
# As root the server runs as the postgres user, which cannot enter root's home folder.
if [ "$(id -u)" = 0 ]; then pgdir=/var/lib/obdrac-demo/pg; else pgdir="$data/pg"; fi
port=55431
"$root/scripts/pg.sh" start "$pgdir" "$port"
sock="$pgdir/socket"
"$root/scripts/dbsetup.sh" "$sock" "$port" obdrac_demo demo.sql
"$root/scripts/dbsetup.sh" "$sock" "$port" obdrac_demo2 demo2.sql
"$root/scripts/odbcconf.sh" "$data/odbc" "$sock" "$port" obdrac_demo

export ODBCSYSINI="$data/odbc" PGPORT="$port" OBDRAC_DATA_DIR="$data/local" \
       OBDRAC_REGISTRY="$data/registry.ini"
mkdir -p "$OBDRAC_DATA_DIR"
"$root/scripts/demo-config.sh" "$build" "$data" "$sock"

echo "Demo podjetje: $data (PostgreSQL v $pgdir, vrata $port)"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$build/src/app/obdrac" "$data/Vektor.INI"
fi
echo "Ni zaslona (DISPLAY/WAYLAND_DISPLAY nista nastavljena)."
echo "Program zaženete na zaslonu, npr. z navideznim: xvfb-run -a $0"
echo

# Without a display: a generation on the demo company with obdrac-run, as a scheduler would run
# it. User 01 signs in with the demo password "demo", kept in a file only its owner reads.
pwfile="$data/run.pw"
if [ ! -f "$pwfile" ]; then
  (umask 077; printf 'demo\n' > "$pwfile")
fi
chmod 600 "$pwfile"
today=$(date +%F)
run=("$build/src/app/obdrac-run" --ini "$data/Vektor.INI" --user 01 --password-file "$pwfile"
     --period-from "$today" --date "$today")

echo "=== Kaj bi kreiranje naredilo (obdrac-run --dry-run, za obdobje od $today) ==="
rc=0; "${run[@]}" --dry-run || rc=$?
# 1: some due templates would make no document (their NI KREIRAN lines are in the listing)
[ "$rc" -le 1 ] || { echo "obdrac-run --dry-run je končal s kodo $rc" >&2; exit "$rc"; }
echo

echo "=== Kreiranje dokumentov (obdrac-run, datum dokumentov $today) ==="
log="$data/zadnje-kreiranje.txt"
rc=0; "${run[@]}" | tee "$log" || rc=$?
echo "Izhodna koda: $rc (0 vse zapisano, 1 nekateri niso zapisani ali zapadle periodike niso dale dokumenta, 2 se ni začelo, 3 prekinjeno)"
echo

keys=$(grep -E '^[0-9A-Z?]{9} / ' "$log" | grep -v ' - NI ZAPISAN' | grep -v ' - NI KREIRAN' | cut -c1-9 | sed "s/.*/'&'/" | paste -sd, - || true)
if [ -n "$keys" ]; then
  echo "=== Kreirani dokumenti v bazi podjetja ==="
  PGPASSWORD=obdrac psql -X -q -h "$sock" -p "$port" -U obdrac -d obdrac_demo -P footer=off -c "
    SELECT 'račun' AS vrsta, Kljuc AS dokument, Prejemnik AS partner, to_char(Datum, 'DD.MM.YYYY') AS datum,
           (SELECT count(*) FROM PrometPoz P WHERE P.Kljuc = H.Kljuc) AS vrstic, Valuta AS val, ZaPlacilo AS za_placilo
      FROM Promet H WHERE Kljuc IN ($keys)
    UNION ALL
    SELECT 'naročilo', Kljuc, Narocnik, to_char(Datum, 'DD.MM.YYYY'),
           (SELECT count(*) FROM NarocPoz P WHERE P.Kljuc = H.Kljuc), Valuta, ZaPlacilo
      FROM Naroc H WHERE Kljuc IN ($keys)
    ORDER BY 1 DESC, 2"
else
  echo "Tokrat ni bilo nič zapadlega (periodike so že zaračunane za to obdobje)."
fi
# A document the database refused is shown above; the demonstration itself went through.
[ "$rc" -le 1 ] || exit "$rc"
