#!/usr/bin/env bash
# Builds iVemba (Release), starts the maker's web site beside it and then the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset run
cmake --build --preset run -j"$(nproc)"

# The site on 127.0.0.1:8405, unless something already listens there. Its demo data folder
# publishes one border package the program does not ship, so the new-border hint shows.
site_pid=""
if ! (exec 3<>/dev/tcp/127.0.0.1/8405) 2>/dev/null; then
    demo=build/site-demo
    if [[ ! -f "$demo/update/BVHistory.xml" ]]; then
        ./build/bin/ivemba-site publish --data "$demo" --note "海洋世界：三款海洋边框" \
            site/demo/海洋世界
    fi
    [[ -f "$demo/ad2005.swf" ]] || cp site/demo/ad2005.swf "$demo/ad2005.swf"
    ./build/bin/ivemba-site --data "$demo" --borders build/bin/borders \
        >> build/site-demo.log 2>&1 &
    site_pid=$!
    trap '[[ -n "$site_pid" ]] && kill "$site_pid" 2>/dev/null; wait 2>/dev/null || true' EXIT
    echo "ivemba-site: http://127.0.0.1:8405/ (log in build/site-demo.log)"
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display found: iVemba is a desktop program and needs one."
    echo "To run it on a virtual display:  xvfb-run -a -s '-screen 0 1024x768x24' $(pwd)/build/bin/ivemba"
    exit 1
fi
./build/bin/ivemba
