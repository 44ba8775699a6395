#!/usr/bin/env bash
# Installs the Debian 12 packages balance4 needs; does nothing when they are all present.
#   tools/install-deps.sh          what building and running the programs need (make run)
#   tools/install-deps.sh --test   that, and what the tests, benchmarks and fuzzers need (make test)
set -euo pipefail

# Building the programs, the manual and the .deb; running the windows (also on a virtual display)
# and opening the manual from them.
build_packages=(
  cmake ninja-build g++ make pkg-config dpkg-dev
  qt6-base-dev libxcb1-dev qt6-translations-l10n libjpeg62-turbo-dev fonts-liberation2 fonts-dejavu-core
  nlohmann-json3-dev libeigen3-dev libcli11-dev coinor-libclp-dev coinor-libcbc-dev
  weasyprint hyphen-ru
  xvfb xauth xdg-utils
)
# The tests (GoogleTest, the window tests' X tools, reading the manual back), the benchmarks, the
# fuzzers (clang's libFuzzer and sanitizer runtimes), the formatter and the compiler cache.
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  xdotool x11-utils poppler-utils ccache
)

packages=("${build_packages[@]}")
case "${1:-}" in
  "") ;;
  --test) packages+=("${test_packages[@]}") ;;
  *) echo "usage: $0 [--test]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# No questions (the variable passed through sudo too); waits for another package manager that holds
# the lock instead of failing at once.
apt=($sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600)
"${apt[@]}" update -qq
"${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
