#!/usr/bin/env bash
# Builds obdrac and runs it on the built-in demo company.
#   scripts/demo.sh            the program (needs a display; without one, a demo run on the console)
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
