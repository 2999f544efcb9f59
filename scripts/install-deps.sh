#!/usr/bin/env bash
# Installs the Debian packages that the build, the programs and the tests need.
# Idempotent: when everything is present, apt is not called at all.
set -euo pipefail

PACKAGES=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev libgl-dev
  libmpv-dev
  ffmpeg
  libgtest-dev
  fonts-noto-cjk
  adwaita-icon-theme
  dvdauthor
)

missing=()
for package in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  if [[ "$status" != "install ok installed" ]]; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
SUDO=()
if [[ $(id -u) -ne 0 ]]; then
  SUDO=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
