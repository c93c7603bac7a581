#!/usr/bin/env bash
# Builds iVemba (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DIVEMBA_TESTS=OFF -DIVEMBA_TOOLS=OFF
cmake --build build -j"$(nproc)"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display found: iVemba is a desktop program and needs one."
    echo "To run it on a virtual display:  xvfb-run -a -s '-screen 0 1024x768x24' $(pwd)/build/bin/ivemba"
    exit 1
fi
exec ./build/bin/ivemba
