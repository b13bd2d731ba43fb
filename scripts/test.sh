#!/usr/bin/env bash
# Set-up, configure, build and run every test. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-deps.sh

build=${Q36_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQ36_WERROR=ON
cmake --build "$build" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 300

# The serial port's threads once more under ThreadSanitizer: the serial tests and the whole
# transfers over pseudo-terminals, to stay cheap.
tsan=${Q36_TSAN_BUILD_DIR:-build-tsan}
cmake -S . -B "$tsan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQ36_WERROR=ON \
  -DQ36_SANITIZE=thread -DQ36_BUILD_GUI=OFF
cmake --build "$tsan" -j "$(nproc)" --target q36_serial_tests e2e_tests
TSAN_OPTIONS="halt_on_error=1 ${TSAN_OPTIONS:-}" \
  ctest --test-dir "$tsan" -L serial --output-on-failure -j "$(nproc)" --timeout 300
