#!/usr/bin/env bash
# Installs what is missing, builds and starts Tovendal, passing the arguments
# through. Without a display the program runs under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
tovendal_install_deps
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target tovendal
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" build/tovendal "$@"
fi
exec build/tovendal "$@"
