#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under a virtual X
# display: once in a normal build, once under AddressSanitizer and
# UndefinedBehaviorSanitizer. Exits non-zero on any failure.
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
echo "== the same tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DTOVENDAL_SANITIZE=ON
exit $status
