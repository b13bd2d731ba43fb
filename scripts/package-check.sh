#!/usr/bin/env bash
# Builds the Debian package, installs it on this machine as a user would, runs the installed
# programs (q36cli against the installed virtual radio, q36cps until its band dialog shows), checks
# the package and its desktop files with lintian, desktop-file-validate, appstreamcli and man, and
# removes it again. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-${Q36_BUILD_DIR:-build}}

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
apt_get() { $SUDO apt-get -q -o DPkg::Lock::Timeout=120 "$@"; }

deb=$(bash scripts/package.sh "$build")
echo "package: $deb"

scratch=$(mktemp -d)
radio_pid=""
installed=0
cleanup() {
  [ -n "$radio_pid" ] && kill "$radio_pid" 2>/dev/null && wait "$radio_pid" 2>/dev/null
  if [ $installed -eq 1 ]; then apt_get remove -y q36cps >"$scratch/remove.log" 2>&1 || cat "$scratch/remove.log"; fi
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "package check: $*" >&2; exit 1; }

# Every dependency is normally installed by setup-deps already; only when one is not does apt need
# fresh package lists.
install_log="$scratch/install.log"
if ! apt_get install -y --reinstall --no-install-recommends "$deb" >"$install_log" 2>&1; then
  apt_get update >>"$install_log" 2>&1 || true
  apt_get install -y --reinstall --no-install-recommends "$deb" >>"$install_log" 2>&1 ||
    { cat "$install_log"; fail "the package does not install"; }
fi
installed=1
for f in /usr/bin/q36cli /usr/bin/q36cps /usr/share/q36cps/Q36DataBase.mdb \
  /usr/lib/udev/rules.d/60-q36cps.rules /usr/share/bash-completion/completions/q36cli; do
  [ -e "$f" ] || fail "$f is not installed"
done

# The installed programs, with a home of their own: they make their database copy there.
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data"
mkdir -p "$HOME"
version=$(/usr/bin/q36cli --version --lang en) || fail "the installed q36cli --version failed"
echo "$version"
grep -q "^Database: $XDG_DATA_HOME/q36cps/Q36DataBase.mdb (a copy of /usr/share/q36cps/Q36DataBase.mdb)$" \
  <<<"$version" || fail "q36cli --version does not name the user's copy of the delivered database"

/usr/bin/q36cli radio --link "$scratch/radio" >"$scratch/radio.log" 2>&1 &
radio_pid=$!
for _ in $(seq 50); do [ -e "$scratch/radio" ] && break; sleep 0.1; done
/usr/bin/q36cli read --port "$scratch/radio" --band 400-440 --lang en --out "$scratch/read.xlsx" \
  >"$scratch/read.log" 2>&1 || { cat "$scratch/read.log" "$scratch/radio.log"; fail "q36cli read failed"; }
[ -s "$scratch/read.xlsx" ] || fail "q36cli read saved no workbook"
kill "$radio_pid" && wait "$radio_pid" 2>/dev/null || true
radio_pid=""
echo "q36cli read of the virtual radio: done"

# The desktop program waits in its band dialog: still running after start-up, with a window on
# the screen (a screen that is not one plain colour).
cat >"$scratch/gui.sh" <<'GUI'
scratch=$1
/usr/bin/q36cps >"$scratch/gui.log" 2>&1 &
pid=$! shown=0
for _ in $(seq 40); do
  sleep 0.5
  kill -0 "$pid" 2>/dev/null || break
  xwd -root -silent >"$scratch/screen.xwd" || continue
  if [ "$(convert "xwd:$scratch/screen.xwd" -format '%[fx:standard_deviation>0.01]' info:)" = 1 ]; then
    shown=1
    break
  fi
done
if ! kill -0 "$pid" 2>/dev/null; then
  wait "$pid" && echo "q36cps ended by itself" || echo "q36cps ended with exit code $?"
  cat "$scratch/gui.log"
  exit 1
fi
kill "$pid"
wait "$pid" 2>/dev/null || true
[ $shown -eq 1 ] || { echo "q36cps showed no window"; cat "$scratch/gui.log"; exit 1; }
GUI
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1024x768x24" bash "$scratch/gui.sh" "$scratch" ||
  fail "the installed q36cps did not show its band dialog"
echo "q36cps under xvfb-run: the band dialog shows"

# The files as the package holds them (a machine may be set to leave manual pages out).
# lintian refuses nothing (it notes that it runs as root, which is no failure).
lintian_status=0
lintian --fail-on error "$deb" >"$scratch/lintian.log" 2>&1 || lintian_status=$?
grep -v '^running with root privileges' "$scratch/lintian.log" || true
[ $lintian_status -eq 0 ] || fail "lintian found errors in the package"
desktop-file-validate --no-hints packaging/com.example.q36cps.desktop ||
  fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic packaging/com.example.q36cps.metainfo.xml >"$scratch/as.log" 2>&1 ||
  { cat "$scratch/as.log"; fail "appstreamcli validate"; }
for page in q36cps q36cli; do
  warnings=$(MANWIDTH=80 man --warnings -P cat -l "packaging/$page.1" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "$warnings"; fail "man -l $page.1"; }
  MANWIDTH=80 man -P cat -l "packaging/$page.1" | grep -q "^NAME" || fail "man -l $page.1 renders nothing"
done
echo "lintian, desktop-file-validate, appstreamcli validate and man -l: clean"
