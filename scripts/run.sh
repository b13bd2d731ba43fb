#!/usr/bin/env bash
# Set-up, build and start the desktop program q36cps.
#
#   bash scripts/run.sh                 the program with the computer's own serial ports
#   bash scripts/run.sh --demo [ARGS]   first a virtual radio on a pseudo-terminal, which the
#                                       program then finds as its only port; ARGS go to
#                                       `q36cli radio` (for example --band 136-174). The radio's
#                                       memory is kept in build/demo-radio.img between runs.
set -euo pipefail
cd "$(dirname "$0")/.."

demo=0
radio_args=()
if [ "${1:-}" = "--demo" ]; then
  demo=1
  shift
  radio_args=("$@")
elif [ "${1:-}" = "-h" ] || [ "${1:-}" = "--help" ]; then
  sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'
  exit 0
elif [ $# -gt 0 ]; then
  echo "run.sh: unknown option '$1' (use --demo or nothing)" >&2
  exit 2
fi

bash scripts/setup-deps.sh

# The same build as scripts/test.sh, so that both share one build folder without reconfiguring.
build=${Q36_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQ36_WERROR=ON
cmake --build "$build" -j "$(nproc)" --target q36cps q36cli q36_database

if [ "$demo" -eq 0 ]; then
  exec "$build/bin/q36cps"
fi

work=$(mktemp -d)
radio_pid=""
stop_radio() {
  if [ -n "$radio_pid" ] && kill -0 "$radio_pid" 2>/dev/null; then
    kill -TERM "$radio_pid" 2>/dev/null || true
    wait "$radio_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap stop_radio EXIT
trap 'exit 130' INT TERM

# The radio prints the path of its pseudo-terminal on its first line, then serves until stopped.
"$build/bin/q36cli" radio --image "$build/demo-radio.img" ${radio_args[@]+"${radio_args[@]}"} \
  >"$work/radio.out" 2>"$work/radio.err" &
radio_pid=$!
port=""
for _ in $(seq 100); do
  port=$(head -n 1 "$work/radio.out" 2>/dev/null || true)
  [ -n "$port" ] && break
  if ! kill -0 "$radio_pid" 2>/dev/null; then
    echo "run.sh: the virtual radio did not start:" >&2
    cat "$work/radio.err" >&2
    exit 1
  fi
  sleep 0.1
done
if [ -z "$port" ]; then
  echo "run.sh: the virtual radio did not report its port" >&2
  exit 1
fi

echo "run.sh: virtual radio on $port"
export Q36_PORTS="$port"
status=0
"$build/bin/q36cps" || status=$?
exit "$status"
