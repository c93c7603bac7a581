#!/usr/bin/env bash
# Installs the run build into a temporary prefix and checks the tree, validates the
# desktop entry and the AppStream metainfo, and builds the Debian package.
# Usage: scripts/package-check.sh [build-dir]   (default build-pkg, made when missing)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-pkg}
jobs=$(nproc)

# An existing build (the test run's) is used as it is configured.
if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake --preset run -B "$build" >/dev/null
fi
cmake --build "$build" -j"$jobs" --target ivemba ivemba-player ivemba-site ivemba_media ivemba_web

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
    bin/ivemba bin/ivemba-player bin/ivemba-site
    share/ivemba/borders/borders.xml share/ivemba/help/index.htm
    share/ivemba/site-deploy/nginx.conf.in share/ivemba/site-deploy/render-front.sh
    share/applications/ivemba.desktop share/metainfo/cn.ivemba.ivemba.metainfo.xml
)
for size in 16 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/ivemba.png")
done
status=0
for f in "${expected[@]}"; do
    [[ -e "$prefix/$f" ]] || { echo "missing from the install: $f"; status=1; }
done
for f in bin/ivemba bin/ivemba-player bin/ivemba-site; do
    [[ -x "$prefix/$f" ]] || { echo "not executable: $f"; status=1; }
done
# The media back end and the web library are the program's own libraries, in a folder of
# their own, and the installed program finds them (it loads them after its first frame;
# without them there is no camera and no web).
media=$(cd "$prefix" && ls lib*/ivemba/libivemba_media.so lib/*/ivemba/libivemba_media.so 2>/dev/null || true)
web=$(cd "$prefix" && ls lib*/ivemba/libivemba_web.so lib/*/ivemba/libivemba_web.so 2>/dev/null || true)
if [[ -z "$media" || -z "$web" ]]; then
    echo "missing from the install: the media library or the web library"
    status=1
else
    started=$(QT_QPA_PLATFORM=offscreen IVEMBA_QUIT_AFTER_FIRST_FRAME=1 \
        IVEMBA_SITE_BASE=http://127.0.0.1:9 XDG_DATA_HOME="$prefix/user-data" \
        timeout 60 "$prefix/bin/ivemba" 2>&1 || true)
    if [[ "$started" != *"first frame painted"* || "$started" == *"library cannot be loaded"* ]]; then
        echo "the installed program does not start with its media and web libraries:"
        echo "$started"
        status=1
    fi
    rm -rf "$prefix/user-data"
fi
# The shipped borders arrive whole: every file under resources/borders is installed.
while IFS= read -r -d '' f; do
    rel=${f#resources/}
    [[ -f "$prefix/share/ivemba/$rel" ]] || { echo "border file not installed: $rel"; status=1; }
done < <(find resources/borders -type f -print0)
# Nothing of the build tree's program directory leaks in (movie file, help beside bin).
for f in bin/ivemba.swf bin/borders bin/help; do
    [[ ! -e "$prefix/$f" ]] || { echo "does not belong in the install: $f"; status=1; }
done
for size in 16 24 32 48 64 128 256; do
    # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
    read -r w3 w2 w1 w0 h3 h2 h1 h0 < <(od -An -tu1 -j16 -N8 \
        "$prefix/share/icons/hicolor/${size}x${size}/apps/ivemba.png")
    w=$(((w3 << 24) | (w2 << 16) | (w1 << 8) | w0)) h=$(((h3 << 24) | (h2 << 16) | (h1 << 8) | h0))
    [[ "$w x $h" == "$size x $size" ]] || { echo "icon ${size}x${size} is $w x $h"; status=1; }
done
((status == 0)) || exit 1
echo "install tree: ${#expected[@]} files as expected"

desktop-file-validate "$prefix/share/applications/ivemba.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/cn.ivemba.ivemba.metainfo.xml"

rm -f "$build"/ivemba_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/ivemba_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libqt6multimedia6 libqt6network6 libpugixml1v5 libjpeg62-turbo libsqlite3-0 qt6-qpa-plugins; do
    [[ "$depends" == *"$dep"* ]] || { echo "the package does not declare $dep"; exit 1; }
done
# Declared, not bundled: no shared library of Qt or of anyone else inside the package, only
# the program's own media back end and web library.
if dpkg-deb -c "$deb" | grep -E '\.so(\.|$)' | grep -vE '/ivemba/libivemba_(media|web)\.so$'; then
    echo "the package bundles shared libraries"
    exit 1
fi
echo "package: $deb"
