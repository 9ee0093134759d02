#!/usr/bin/env bash
# Writes the project's own unixODBC configuration: scripts/odbcconf.sh DIR SOCKETDIR PORT DATABASE
# Use it with ODBCSYSINI=DIR. The driver name "SQL Server" points at psqlODBC.
set -euo pipefail
dir=$1; sock=$2; port=$3; db=$4
mkdir -p "$dir"
cat > "$dir/odbcinst.ini" <<INI
[SQL Server]
Description = PostgreSQL (psqlODBC) standing in for Microsoft SQL Server
Driver = /usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so
Threading = 2

[FreeTDS]
Description = FreeTDS for Microsoft SQL Server
Driver = /usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so
INI
cat > "$dir/odbc.ini" <<INI
[MSSINTREX]
Driver = SQL Server
Servername = $sock
Port = $port
Database = $db
ByteaAsLongVarBinary = 1
INI
