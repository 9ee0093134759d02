#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
set -euo pipefail
pkgs=(g++ cmake make pkg-config libgtest-dev qt6-base-dev qt6-svg-dev libgl-dev
      unixodbc unixodbc-dev odbc-postgresql tdsodbc postgresql postgresql-client
      libsqlite3-dev libxlsxwriter-dev xvfb xauth poppler-utils fonts-dejavu-core
      xdg-utils locales unzip cups cups-bsd cups-client printer-driver-cups-pdf)
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
