#!/usr/bin/env bash
# Installs the Debian 12 packages Tavrola needs to build, test and show itself, and any
# named as arguments (a script's own extras), only when some are missing.
set -euo pipefail
packages=(build-essential cmake qt6-base-dev qt6-qpa-plugins libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-dejavu-core fonts-dejavu-extra xvfb xauth x11-apps poppler-utils python3 "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
