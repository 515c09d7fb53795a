#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints a list and a book sheet through a real CUPS print queue that writes PDF files
# (cups-pdf), and reads the files back. Installs CUPS and cups-pdf when they are missing, starts
# the CUPS daemon when it is not running (no systemd needed), and makes the queue the default
# printer, as the print dialog must preselect it.
#   scripts/print-check.sh [BUILD_DIR]      (default: build)
# QUADERNA_PRINT_QUEUE names the queue (default QuadernaPDF).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
queue=${QUADERNA_PRINT_QUEUE:-QuadernaPDF}

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "print-check: run as root, or install sudo" >&2; exit 1; }
  sudo=sudo
fi

# --- packages -------------------------------------------------------------------------------
missing=()
for p in cups cups-client printer-driver-cups-pdf poppler-utils; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "print-check: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  # Without systemd the packages' scripts cannot start the daemon; that is expected, we start it.
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# --- the daemon -----------------------------------------------------------------------------
running() { lpstat -r 2>/dev/null | grep -q "is running"; }
if ! running; then
  echo "print-check: starting cupsd"
  $sudo mkdir -p /run/cups
  $sudo /usr/sbin/cupsd            # puts itself in the background
  for _ in $(seq 1 50); do running && break; sleep 0.2; done
  running || { echo "print-check: cupsd did not start" >&2; exit 1; }
fi

# --- the queue ------------------------------------------------------------------------------
ppd=$(ls /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/ppd/cups-pdf/*.ppd 2>/dev/null | head -n 1 || true)
[ -n "$ppd" ] || { echo "print-check: the cups-pdf PPD is missing" >&2; exit 1; }
# "printer drivers are deprecated" is only a warning.
$sudo lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd" 2>/dev/null
# Without pdftocairo the default Ghostscript path turns every glyph into a Type 3 font and the
# text can no longer be read back.
$sudo lpadmin -p "$queue" -o pdftops-renderer-default=pdftocairo
$sudo lpadmin -d "$queue"
$sudo cupsenable "$queue"
$sudo cupsaccept "$queue"
lpstat -p "$queue" -d

# --- where cups-pdf writes ------------------------------------------------------------------
# "Out" in cups-pdf.conf, ${HOME} being the home of the user who prints; jobs it cannot tie to
# a user go to AnonDirName.
conf=/etc/cups/cups-pdf.conf
setting() { sed -n "s/^[[:space:]]*$1[[:space:]]\+//p" "$conf" 2>/dev/null | tail -n 1; }
home=$(getent passwd "$(id -un)" | cut -d: -f6)
out=$(setting Out)
out=${out:-'${HOME}/PDF'}
out=${out//'${HOME}'/$home}
out=${out//'${USER}'/$(id -un)}
anon=$(setting AnonDirName)
anon=${anon:-/var/spool/cups-pdf/ANONYMOUS}
echo "print-check: cups-pdf writes into $out (anonymous jobs: $anon)"

# --- print and check ------------------------------------------------------------------------
cmake --build "$build" --target quaderna-print-check >/dev/null
QT_QPA_PLATFORM=offscreen "$build/bin/quaderna-print-check" --queue "$queue" --out "$out" --out "$anon"
