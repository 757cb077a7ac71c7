#!/usr/bin/env bash
# The printers that the printing tests use, through CUPS and cups-pdf. Runs as root.
#   start  installs what is missing, starts cupsd when none runs, adds a cups-pdf queue as
#          the default destination (its PDFs go to one known folder) and two queues that
#          cannot print: one stopped, one refusing jobs. Prints, on standard output only,
#          the export lines the tests need:  eval "$(bash scripts/cups-printer.sh start)"
#   stop   removes those queues and their folder, and stops cupsd only if start started it.
# A cupsd that was already running (a developer's own) is used, never stopped; its
# previous default destination comes back on stop.
set -euo pipefail

queue=kandelor-test-pdf
stopped_queue=kandelor-test-stopped
rejecting_queue=kandelor-test-rejecting
instance=kandelor-test  # cups-pdf:/kandelor-test reads /etc/cups/cups-pdf-kandelor-test.conf
instance_conf=/etc/cups/cups-pdf-$instance.conf
output=/var/spool/cups-pdf/$instance
state=/var/lib/kandelor-cups-printer  # what start changed, for stop
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

say() { echo "cups-printer: $*" >&2; }
# Only cupsd's own socket: a CUPS_SERVER of the caller must not redirect these commands.
unset CUPS_SERVER PRINTER LPDEST
answering() { lpstat -r 2>/dev/null | grep -qx 'scheduler is running'; }
# Without pgrep, which a bare container lacks.
cupsd_exists() { grep -qsx cupsd /proc/[0-9]*/comm; }

wait_until_answering() {
  for _ in $(seq 1 150); do
    answering && return 0
    sleep 0.2
  done
  say "cupsd does not answer"
  return 1
}

install_missing() {
  local missing=()
  for p in cups printer-driver-cups-pdf libcups2-dev poppler-utils; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing ${missing[*]}"
  apt-get update -q >&2
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    -o DPkg::Lock::Timeout=300 "${missing[@]}" >&2
}

start() {
  mkdir -p "$state"
  # A cupsd that runs before anything here happens is someone else's; one that only the
  # package installation started is ours as if start had started it.
  local ran_before=false
  { cupsd_exists || answering; } && ran_before=true
  install_missing
  if ! $ran_before; then
    if ! cupsd_exists; then
      say "starting cupsd"
      mkdir -p /run/cups
      /usr/sbin/cupsd  # no systemd: the daemon itself, which forks into the background
    fi
    wait_until_answering
    cat /run/cups/cupsd.pid >"$state/cupsd.pid"
  fi
  wait_until_answering

  if [ ! -e "$state/previous-default" ]; then
    lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p' >"$state/previous-default"
  fi
  mkdir -p "$output"
  chmod 1777 "$output"
  printf 'Out %s\nAnonDirName %s\n' "$output" "$output" >"$instance_conf"
  for q in "$queue" "$stopped_queue" "$rejecting_queue"; do
    # cups-pdf is a driver with a PPD, which lpadmin warns is deprecated; it still works.
    # Ghostscript, the default renderer to PostScript, turns the fonts into Type 3 glyphs
    # without text; pdftocairo keeps the fonts, so the tests can read the printed text.
    lpadmin -p "$q" -E -v "cups-pdf:/$instance" -P "$ppd" -o pdftops-renderer-default=pdftocairo \
      2>&1 | grep -v deprecated >&2 || true
    lpstat -v "$q" >/dev/null
  done
  cupsdisable "$stopped_queue"
  cupsreject "$rejecting_queue"
  lpadmin -d "$queue"
  say "default destination $queue, PDFs in $output"

  echo "export KANDELOR_TEST_PRINTER=$queue"
  echo "export KANDELOR_TEST_PRINTER_OUTPUT=$output"
  echo "export KANDELOR_TEST_STOPPED_PRINTER=$stopped_queue"
  echo "export KANDELOR_TEST_REJECTING_PRINTER=$rejecting_queue"
}

stop() {
  if answering; then
    for q in "$queue" "$stopped_queue" "$rejecting_queue"; do
      if lpstat -v "$q" >/dev/null 2>&1; then lpadmin -x "$q"; fi
      rm -f "/var/cache/cups/$q.strings"  # left behind by lpadmin -x
    done
    local previous=""
    [ -e "$state/previous-default" ] && previous=$(cat "$state/previous-default")
    if [ -n "$previous" ] && lpstat -v "$previous" >/dev/null 2>&1; then
      lpadmin -d "$previous"
    fi
  fi
  rm -f "$instance_conf"
  rm -rf "$output"
  if [ -e "$state/cupsd.pid" ]; then
    local pid
    pid=$(cat "$state/cupsd.pid")
    if [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = cupsd ]; then
      say "stopping the cupsd that start started ($pid)"
      kill -TERM "$pid"
      for _ in $(seq 1 150); do
        [ -e "/proc/$pid" ] || break
        sleep 0.2
      done
    fi
  fi
  rm -rf "$state"
}

if [ "$(id -u)" -ne 0 ]; then
  say "must run as root"
  exit 1
fi
case "${1:-}" in
  start) start ;;
  stop) stop ;;
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
