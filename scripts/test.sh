#!/usr/bin/env bash
# Builds and runs every test: once in a normal build and once under
# AddressSanitizer and UndefinedBehaviorSanitizer. Installs what is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" test
jobs=$(nproc)

export SDL_VIDEODRIVER=dummy
export SDL_AUDIODRIVER=dummy

echo "== normal build =="
cmake -S "$root" -B "$root/build/test" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTESSELLON_WERROR=ON >/dev/null
cmake --build "$root/build/test"
ctest --test-dir "$root/build/test" --output-on-failure -j "$jobs"

echo "== sanitizer build =="
cmake -S "$root" -B "$root/build/asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DTESSELLON_WERROR=ON -DTESSELLON_SANITIZE=ON -DTESSELLON_BENCH=OFF >/dev/null
cmake --build "$root/build/asan"
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
ctest --test-dir "$root/build/asan" --output-on-failure -j "$jobs"
echo "All tests passed."
