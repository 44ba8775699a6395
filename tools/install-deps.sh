#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing balance4 need; does nothing
# when they are all present.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  qt6-base-dev qt6-translations-l10n libjpeg62-turbo-dev fonts-liberation2 fonts-dejavu-core
  weasyprint hyphen-ru poppler-utils
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libeigen3-dev libcli11-dev
  clang libclang-rt-14-dev clang-format
  xvfb xauth dpkg-dev xdotool x11-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
