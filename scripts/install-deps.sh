#!/usr/bin/env bash
# Installs what building, running and testing iVemba needs on Debian 12 (as root).
set -euo pipefail
packages=(
    build-essential cmake pkg-config git
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-qpa-plugins
    qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
    libpugixml-dev libjpeg62-turbo-dev
    libgtest-dev libgmock-dev libbenchmark-dev libcpp-httplib-dev libsqlite3-dev libboost-dev
    postgresql libpq-dev
    nginx
    clang libclang-rt-14-dev chromium appstream desktop-file-utils
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    fonts-wqy-microhei clang-format xvfb xauth poppler-utils
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
