#!/usr/bin/env bash
# Installs what the build needs from Debian's packages, then configures and builds.
# Run as root, or as a user who may use sudo. Extra arguments go to cmake's configure.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-serialport-dev qt6-qpa-plugins qt6-translations-l10n libfontconfig-dev
    libbenchmark-dev
    fonts-dejavu-core fonts-liberation2
    desktop-file-utils appstream man-db groff-base poppler-utils
    dpkg-dev file lintian
    locales
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${as_root[@]}" apt-get update
    "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build build -j"$(nproc)"
