#!/usr/bin/env bash
# Set-up, formatting check, build and the test suite; with --full also the soak test, the
# sanitizer builds and the fuzz runs (what CI runs). Exits non-zero on any failure. Prints the
# time of each step at the end (and on a failure).
set -euo pipefail
cd "$(dirname "$0")/.."

full=0
case "${1:-}" in
  --full) full=1 ;;
  "") ;;
  *) echo "usage: scripts/test.sh [--full]" >&2; exit 2 ;;
esac

jobs=$(nproc)
timings=()
fuzz_report=()
report() {
  echo
  echo "== step times"
  for line in "${timings[@]}"; do echo "   $line"; done
  if [ ${#fuzz_report[@]} -gt 0 ]; then
    echo "== fuzz runs"
    for line in "${fuzz_report[@]}"; do echo "   $line"; done
  fi
}
trap report EXIT
# step NAME COMMAND...: runs the command and notes how long it took.
step() {
  local name=$1 start=$SECONDS
  shift
  echo "== $name"
  "$@"
  timings+=("$(printf '%-28s %5ds' "$name" $((SECONDS - start)))")
}

step "setup" bash scripts/setup-deps.sh

# Formatting is mechanical: every source file as .clang-format gives it.
format_check() {
  git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
}
step "format" format_check

# The whole suite, desktop program included.
build=${Q36_BUILD_DIR:-build}
step "build" bash -c "cmake -S . -B '$build' -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQ36_WERROR=ON \
  && cmake --build '$build' -j $jobs"
export QT_QPA_PLATFORM=offscreen
if [ $full -eq 0 ]; then
  # The soak test (twenty writes, over a minute) is for --full.
  step "test" ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 300 -LE soak
  exit 0
fi
step "test" ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 300

# Both reports through a real print queue: a CUPS server of its own with a cups-pdf queue.
step "print queue" bash scripts/print-queue-check.sh "$build"

# Everything but the desktop program again under AddressSanitizer and UndefinedBehaviorSanitizer.
# The Qt tests stay out: they would double this step's time and test the toolkit more than us.
asan=${Q36_ASAN_BUILD_DIR:-build-asan}
step "asan build" bash -c "cmake -S . -B '$asan' -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQ36_WERROR=ON \
  -DQ36_SANITIZE=address -DQ36_BUILD_GUI=OFF && cmake --build '$asan' -j $jobs"
# One test is left to the other builds: it opens the port with every file descriptor in use, and
# the sanitizers' runtime needs a descriptor (a pipe) to check an object's vtable, so it reports
# the valid exception object that OpenPort throws there as an invalid one.
step "asan test" env ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:${ASAN_OPTIONS:-}" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}" \
  ctest --test-dir "$asan" --output-on-failure -j "$jobs" --timeout 600 \
    -E '^TCommOpen\.FailureAfterTheDeviceOpenedReleasesItAndItsAttributes$'

# The serial port's threads under ThreadSanitizer: the serial tests and the end-to-end tests,
# where the port's threads meet the transfer, the store and the command-line tool.
tsan=${Q36_TSAN_BUILD_DIR:-build-tsan}
step "tsan build" bash -c "cmake -S . -B '$tsan' -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQ36_WERROR=ON \
  -DQ36_SANITIZE=thread -DQ36_BUILD_GUI=OFF \
  && cmake --build '$tsan' -j $jobs --target q36_serial_tests e2e_tests fault_matrix_tests cli_fault_tests \
     q36cli q36_database"
step "tsan test" env TSAN_OPTIONS="halt_on_error=1 ${TSAN_OPTIONS:-}" \
  ctest --test-dir "$tsan" -L 'serial|e2e' --output-on-failure -j "$jobs" --timeout 600

# libFuzzer on every input the radio or a file controls, 60 s a target, two at a time. New inputs
# collect in the build folder; the committed seeds under tests/fuzz/<target>/ are only read.
fuzz=${Q36_FUZZ_BUILD_DIR:-build-fuzz}
targets=(transfer xlsx xls codec_text chirp_csv)
step "fuzz build" bash -c "cmake -S . -B '$fuzz' -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQ36_WERROR=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQ36_FUZZ=ON -DQ36_BUILD_GUI=OFF \
  && cmake --build '$fuzz' -j $jobs --target ${targets[*]/#/fuzz_}"

fuzz_one() {
  local target=$1 extra=()
  mkdir -p "$fuzz/corpus/$target" "$fuzz/artifacts/$target"
  # The .xlsx mutator unpacks the parts and packs them stored, larger than the deflated seeds.
  [ "$target" = xlsx ] && extra=(-max_len=262144)
  "$fuzz/bin/fuzz_$target" "$fuzz/corpus/$target" "tests/fuzz/$target" "${extra[@]}" \
    -max_total_time=60 -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$fuzz/artifacts/$target/" > "$fuzz/fuzz-$target.log" 2>&1
}
fuzz_all() {
  local failed=0 pids=() names=()
  for target in "${targets[@]}"; do
    fuzz_one "$target" &
    pids+=($!)
    names+=("$target")
    # Two at a time: one per core.
    if [ ${#pids[@]} -eq 2 ]; then
      for i in 0 1; do
        wait "${pids[$i]}" || { echo "fuzz_${names[$i]} failed:"; tail -n 40 "$fuzz/fuzz-${names[$i]}.log"; failed=1; }
      done
      pids=() names=()
    fi
  done
  for i in "${!pids[@]}"; do
    wait "${pids[$i]}" || { echo "fuzz_${names[$i]} failed:"; tail -n 40 "$fuzz/fuzz-${names[$i]}.log"; failed=1; }
  done
  for target in "${targets[@]}"; do
    local log="$fuzz/fuzz-$target.log"
    local runs corpus files
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1 || true)
    corpus=$(grep -o 'corp: [0-9]*/[0-9]*[a-zA-Z]*' "$log" | tail -n 1 | cut -d' ' -f2 || true)
    files=$(find "$fuzz/corpus/$target" "tests/fuzz/$target" -type f | wc -l || true)
    fuzz_report+=("$(printf '%-11s %10s executions, corpus %s (%s files incl. seeds)' \
      "$target" "${runs:-?}" "${corpus:-?}" "$files")")
  done
  return $failed
}
step "fuzz run" fuzz_all

# The Debian package: built, installed on this machine, its programs run, lintian, removed.
step "package" bash scripts/package-check.sh "$build"
