#!/usr/bin/env bash
# Writes the demo company's workstation configuration on first use:
#   scripts/demo-config.sh BUILD DATA SOCKETDIR
# Vektor.INI, the registry file with the database login, and the company list Podjetje.DB.
set -euo pipefail
build=$1; data=$2; sock=$3
ini="$data/Vektor.INI"
if [ ! -f "$ini" ]; then
  cat > "$ini" <<INI
[Program]
Podjetje=Demo d.o.o.
ObdracPoslDog=G1
Uporabnik=01
ShraniForm=1
EnterForNext=1
DDV=1
SQLTrace=F

[Database]
DataSource=MSSINTREX
Podjetje=Demo d.o.o.
TempPath=$data/local/VektorTemp
TablePodPath=$data/local
INI
fi
if [ ! -f "$data/registry.ini" ]; then
  OBDRAC_SQL_PASSWORD=obdrac "$build/src/app/obdrac-config" --registry "$data/registry.ini" \
    --sql-user obdrac --sql-password-env >/dev/null
fi
if [ ! -f "$data/local/Podjetje.DB" ] && [ ! -f "$data/local/Podjetje.db" ]; then
  "$build/src/app/obdrac-config" --company-list "$data/local" \
    --company "Demo d.o.o." --server "$sock" --database obdrac_demo >/dev/null
  "$build/src/app/obdrac-config" --company-list "$data/local" \
    --company "Mala firma s.p." --server "$sock" --database obdrac_demo2 >/dev/null
fi
