#!/usr/bin/env bash
# Installs, with apt-get, the Debian 12 packages that building, running and
# testing Ondrix need and that this machine does not have yet. Run as root.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libxml2-dev libxxhash-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth poppler-utils time ccache
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
