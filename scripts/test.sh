#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test:
#   build/asan     address + undefined sanitizers, warnings as errors: the unit and integration tests
#   build/tsan     thread sanitizer: the tests of the parameter/audio boundary (label "thread")
#   build/release  the shipped optimisation: tests that load the library into real hosts (label "realhost")
#   build/m32      a 32-bit compile and link of the host boundary, instrument, engine and tuning code
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/install-deps.sh

jobs=$(nproc)
passed=0
failed=0
run_ctest() { # dir, ctest arguments...
    local dir=$1
    shift
    local log
    log=$(mktemp)
    set +e
    (cd "$dir" && ctest --output-on-failure --no-tests=ignore -j"$jobs" "$@") 2>&1 | tee "$log"
    local rc=${PIPESTATUS[0]}
    set -e
    local line
    line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1 || true)
    if [ -n "$line" ]; then
        local total fails
        total=$(echo "$line" | sed -E 's/.*out of ([0-9]+).*/\1/')
        fails=$(echo "$line" | sed -E 's/.*tests passed, ([0-9]+) tests failed.*/\1/')
        passed=$((passed + total - fails))
        failed=$((failed + fails))
    elif [ "$rc" -ne 0 ]; then
        failed=$((failed + 1))
    fi
    rm -f "$log"
}
configure() { # dir, cmake arguments...
    local dir=$1
    shift
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALVIR_WERROR=ON "$@" >/dev/null
}

echo "== 1/4 sanitized build (address, undefined)"
configure build/asan -DTALVIR_SANITIZE=address,undefined -DTALVIR_BUILD_BENCH=OFF
cmake --build build/asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest build/asan -LE 'realhost|thread'

echo "== 2/4 thread sanitizer build"
configure build/tsan -DTALVIR_SANITIZE=thread -DTALVIR_BUILD_BENCH=OFF
tsan_targets=$(cmake --build build/tsan --target help | sed -n 's/^\(test_threads[^:]*\):.*/\1/p' | sort -u)
if [ -n "$tsan_targets" ]; then
    for t in $tsan_targets; do cmake --build build/tsan -j"$jobs" --target "$t"; done
    TSAN_OPTIONS=halt_on_error=1 run_ctest build/tsan -L thread
fi

echo "== 3/4 release build and real-host tests"
configure build/release
cmake --build build/release -j"$jobs"
run_ctest build/release -L realhost

echo "== 4/4 32-bit compile and link"
# SSE2 arithmetic as in the 64-bit build (no x87 excess precision); the static assertions of the
# host interface check the 32-bit record layout in this compile.
m32="-m32 -msse2 -mfpmath=sse"
configure build/m32 -DTALVIR_CORE_ONLY=ON -DTALVIR_BUILD_TESTS=OFF -DTALVIR_BUILD_BENCH=OFF \
    "-DCMAKE_C_FLAGS=$m32" "-DCMAKE_CXX_FLAGS=$m32" -DCMAKE_SHARED_LINKER_FLAGS=-m32 \
    -DCMAKE_EXE_LINKER_FLAGS=-m32
cmake --build build/m32 -j"$jobs"
echo "32-bit build: OK"

# ---- fuzz smoke: the tuning file reader under libFuzzer (about 30 s over the seed corpus) ----
echo "== fuzz smoke: tuning file reader"
mkdir -p build
if bash fuzz/run.sh 30 >build/fuzz-smoke.log 2>&1; then
    grep -E 'stat::number_of_executed_units' build/fuzz-smoke.log || true
    echo "fuzz smoke: OK"
    passed=$((passed + 1))
else
    tail -60 build/fuzz-smoke.log
    echo "fuzz smoke: FAILED (log: build/fuzz-smoke.log)"
    failed=$((failed + 1))
fi
# ---- end of fuzz smoke ----

echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
