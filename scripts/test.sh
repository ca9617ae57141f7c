#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under a virtual X
# display: once in a normal build, once under AddressSanitizer and
# UndefinedBehaviorSanitizer; in between, where clang is present, the fuzz
# targets run for a while under the same sanitizers. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
tovendal_install_deps

jobs=$(nproc)
status=0

run_suite() {
    local dir=$1; shift
    cmake -S . -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j"$jobs"
    (cd "$dir" && xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" timeout 2400 \
        ctest --output-on-failure -j"$jobs") || status=1
}

run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo

# Runs a fuzz target for the given seconds on a scratch copy of its seed corpus
# (new inputs go there, never into the repository); a crash fails the script.
run_fuzz() {
    local name=$1 seconds=$2; shift 2
    local scratch="build-fuzz/corpus-$name" log="build-fuzz/fuzz-$name.log" dict=()
    mkdir -p "$scratch" build-fuzz/artifacts
    [ -f "fuzz/$name.dict" ] && dict=(-dict="fuzz/$name.dict")
    echo "== fuzzing $name for $seconds s"
    if ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
       UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
       "$@" timeout $((seconds + 120)) "build-fuzz/fuzz/fuzz_$name" -max_total_time="$seconds" \
           -timeout=10 -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/ "${dict[@]}" \
           "$scratch" "fuzz/corpus/$name" >"$log" 2>&1; then
        grep -E 'DONE|^stat::(number_of_executed_units|peak_rss_mb)' "$log" || true
    else
        tail -n 60 "$log"
        echo "fuzz_$name failed (the input is in build-fuzz/artifacts)"
        status=1
    fi
}

if command -v clang++ >/dev/null; then
    echo "== fuzz targets, built with clang's libFuzzer under the sanitizers"
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVENDAL_FUZZ=ON >/dev/null
    if cmake --build build-fuzz -j"$jobs" --target fuzz_planfile fuzz_versionblock; then
        run_fuzz planfile 60 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset"
        run_fuzz versionblock 10
    else
        status=1
    fi
else
    echo "== clang not found: fuzz targets skipped"
fi

echo "== the same tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DTOVENDAL_SANITIZE=ON
exit $status
