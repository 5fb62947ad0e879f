#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Scrivlet need.
set -euo pipefail
PACKAGES=(cmake ninja-build g++ ccache pkg-config qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl1-mesa-dev
          libgraphviz-dev libhunspell-dev libfontconfig-dev hunspell-ru hunspell-en-us libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth
          fonts-dejavu-core git lld python3 gettext)
missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${missing[@]}"
