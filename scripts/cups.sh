#!/usr/bin/env bash
# The print queue of the tests: a CUPS queue "ObdracPDF" on the cups-pdf driver that prints into
# PDF files in $OBDRAC_CUPS_OUT (default /var/spool/cups-pdf/obdrac), one file per job named
# job_<id>-<title>_pdf_obdrac.pdf. Starts the CUPS scheduler when it is not running. Run as root
# on a fresh machine (scripts/deps.sh installs the packages); running it again changes nothing.
# Prints the queue's name and folder as shell assignments (OBDRAC_TEST_PRINTER=...).
set -euo pipefail
queue=ObdracPDF
out=${OBDRAC_CUPS_OUT:-/var/spool/cups-pdf/obdrac}
conf=/etc/cups/cups-pdf-obdrac.conf

scheduler_up() { lpstat -r 2>/dev/null | grep -q "is running"; }

if [ "$(id -u)" = 0 ]; then
  if ! scheduler_up; then
    /usr/sbin/cupsd
    for _ in $(seq 50); do scheduler_up && break; sleep 0.1; done
  fi
  mkdir -p "$out"
  chmod 1777 "$out"
  want=$(printf 'Out %s\nLabel 1\nGrp lpadmin\nDecodeHexStrings 1\n' "$out")
  if [ ! -f "$conf" ] || [ "$(cat "$conf")" != "$want" ]; then
    printf '%s\n' "$want" > "$conf"
  fi
  if ! lpstat -p "$queue" >/dev/null 2>&1; then
    lpadmin -p "$queue" -v cups-pdf:/obdrac -E -m lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd 2>/dev/null
  fi
  cupsenable "$queue" 2>/dev/null || true
  cupsaccept "$queue" 2>/dev/null || true
  # The machine's default printer, when it has none yet.
  if ! lpstat -d 2>/dev/null | grep -q "system default destination:"; then
    lpadmin -d "$queue"
  fi
fi

if ! scheduler_up || ! lpstat -p "$queue" >/dev/null 2>&1; then
  echo "Tiskalna vrsta $queue ni nastavljena: zaženite scripts/cups.sh kot root." >&2
  exit 1
fi
echo "OBDRAC_TEST_PRINTER=$queue"
echo "OBDRAC_TEST_PRINTER_OUT=$out"
