#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
set -euo pipefail
# build: compiler, CMake, Qt, ODBC, SQLite, GoogleTest; package: dpkg-dev and file (cpack's
# dependency scan), desktop-file-utils (the menu entry is checked); tests: PostgreSQL with the
# ODBC drivers, python3 (the layout check), the decimal-comma locale, DejaVu fonts; demo: xvfb;
# reports: libxlsxwriter (spreadsheets), unzip and poppler-utils (the exports read back), the
# CUPS scheduler and the cups-pdf driver (the tests' print queue), xdg-utils (e-mail).
pkgs=(g++ cmake make pkg-config libgtest-dev qt6-base-dev qt6-svg-dev libgl-dev
      unixodbc unixodbc-dev odbc-postgresql tdsodbc postgresql postgresql-client
      libsqlite3-dev dpkg-dev file desktop-file-utils python3 xvfb xauth fonts-dejavu-core
      locales libxlsxwriter-dev unzip poppler-utils xdg-utils
      cups cups-bsd cups-client printer-driver-cups-pdf)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "Manjkajoči paketi: ${missing[*]}" >&2
    echo "Namestite jih kot root (apt-get install ${missing[*]})." >&2
    exit 1
  fi
  echo "Nameščam: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# A locale with a decimal comma for the tests that check locale independence.
if ! locale -a 2>/dev/null | grep -qi '^sl_SI.utf8$'; then
  if [ "$(id -u)" = 0 ]; then
    sed -i 's/^# *sl_SI.UTF-8 UTF-8/sl_SI.UTF-8 UTF-8/' /etc/locale.gen 2>/dev/null || true
    grep -q '^sl_SI.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'sl_SI.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null 2>&1 || true
  fi
fi
