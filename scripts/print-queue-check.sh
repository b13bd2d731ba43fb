#!/usr/bin/env bash
# Prints both reports to a real print queue: starts a CUPS server of its own (its configuration,
# spool and socket in a scratch folder, so the machine's printing is left alone), makes a cups-pdf
# queue its default printer, runs the print test that sends the reports there without a dialog and
# reads back the PDF files cups-pdf writes, and stops the server again. Exits non-zero on failure.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-${Q36_BUILD_DIR:-build}}

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -x /usr/sbin/cupsd ] && [ -f "$ppd" ] || { echo "print queue: cups or cups-pdf missing" >&2; exit 1; }

scratch=$(mktemp -d)
# The filters run as the print system's own user and must reach the spool.
chmod 755 "$scratch"
mkdir -p "$scratch/etc/ppd" "$scratch/spool/tmp" "$scratch/cache" "$scratch/state" "$scratch/log"
export CUPS_SERVER="$scratch/cups.sock"
cat >"$scratch/etc/cupsd.conf" <<EOF
Listen $CUPS_SERVER
Browsing No
LogLevel info
DefaultAuthType None
WebInterface No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
cat >"$scratch/etc/cups-files.conf" <<EOF
ServerRoot $scratch/etc
RequestRoot $scratch/spool
TempDir $scratch/spool/tmp
CacheDir $scratch/cache
StateDir $scratch/state
AccessLog $scratch/log/access_log
ErrorLog $scratch/log/error_log
PageLog $scratch/log/page_log
SystemGroup root
EOF

cupsd_pid=""
cleanup() {
  if [ -n "$cupsd_pid" ]; then
    $SUDO kill "$cupsd_pid" 2>/dev/null || true
    wait "$cupsd_pid" 2>/dev/null || true
  fi
  $SUDO rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "print queue: $*" >&2
  [ -f "$scratch/log/error_log" ] && tail -n 30 "$scratch/log/error_log" >&2
  exit 1
}

# In the foreground, so that its process is the one stopped at the end.
$SUDO /usr/sbin/cupsd -f -c "$scratch/etc/cupsd.conf" -s "$scratch/etc/cups-files.conf" &
cupsd_pid=$!
for _ in $(seq 50); do [ -S "$CUPS_SERVER" ] && break; sleep 0.2; done
[ -S "$CUPS_SERVER" ] || fail "cupsd did not start"

# The Cairo renderer keeps the reports' text as text (Debian's advice for cups-pdf queues); the
# default one turns glyphs into shapes that no PDF reader gives back as text.
lpadmin -p Q36PDF -E -v cups-pdf:/ -P "$ppd" -o pdftops-renderer-default=pdftocairo 2>/dev/null ||
  fail "the cups-pdf queue was not made"
# A second queue, first in the list and taking no jobs: the reports must go to the default.
lpadmin -p A36OTHER -v cups-pdf:/ -P "$ppd" 2>/dev/null || fail "the second queue was not made"
lpadmin -d Q36PDF
lpstat -d | grep -q Q36PDF || fail "the queue is not the default printer"

# cups-pdf writes into the PDF folder of the user who prints.
out="$(getent passwd "$(id -un)" | cut -d: -f6)/PDF"
Q36_CUPS_PDF_OUT="$out" QT_QPA_PLATFORM=offscreen "$build/bin/print_tests" \
  --gtest_filter='PrintQueue.*' >"$scratch/print.log" 2>&1 ||
  { cat "$scratch/print.log"; fail "printing to the queue failed"; }
grep -q '\[  SKIPPED \]' "$scratch/print.log" && { cat "$scratch/print.log"; fail "the print test was skipped"; }
grep -q '^\[       OK \] PrintQueue\.' "$scratch/print.log" || { cat "$scratch/print.log"; fail "no print test ran"; }
echo "print queue: both reports printed to the cups-pdf queue and read back"
