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

# Each fuzz target runs for a while over its seed corpus and what earlier runs
# on this machine found (kept in build/fuzz/corpus). Any crash, sanitizer
# report or broken check fails the run and leaves the input in build/fuzz.
fuzz_seconds=${TESSELLON_FUZZ_SECONDS:-30}
clang_cxx=$(command -v clang++-14 || command -v clang++ || true)
clang_cc=$(command -v clang-14 || command -v clang || true)
if [[ -n "$clang_cxx" && -n "$clang_cc" ]]; then
    echo "== fuzzing, ${fuzz_seconds} s a target =="
    CC="$clang_cc" CXX="$clang_cxx" cmake -S "$root" -B "$root/build/fuzz" -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSELLON_FUZZ=ON -DTESSELLON_TESTS=OFF \
        -DTESSELLON_BENCH=OFF >/dev/null
    cmake --build "$root/build/fuzz" --target fuzz_targets
    for target in FuzzDocument FuzzIni FuzzRegistry FuzzCompressedBlob FuzzObjectsJson; do
        found="$root/build/fuzz/corpus/$target"
        mkdir -p "$found"
        (cd "$root/build/fuzz" && ASAN_OPTIONS="detect_leaks=1" \
            "./tests/fuzz/$target" -max_total_time="$fuzz_seconds" -timeout=10 \
            -rss_limit_mb=2048 -print_final_stats=1 "$found" "$root/tests/fuzz/corpus/$target" \
            2>"$root/build/fuzz/$target.log") || {
            tail -n 60 "$root/build/fuzz/$target.log"
            echo "fuzz target $target failed"
            exit 1
        }
        grep -E "stat::number_of_executed_units" "$root/build/fuzz/$target.log" | sed "s/^/$target: /"
    done
else
    echo "== fuzzing skipped: no clang =="
fi
echo "All tests passed."
