#!/usr/bin/env bash
# Checks the .deb as a user meets it, for maintainers before a release (not part of `make test`):
# lintian must report no error or warning; then, in a fresh minimal Debian 12 root made with
# debootstrap, `apt-get install ./balance4_*.deb` must pull in everything the package needs, and
# both programs must start: balance4-calc gives the example's results, balance4 comes up offscreen
# from a folder without the manual and finds the installed one.
#
#   sudo tools/check-deb.sh build/balance4_4.05_amd64.deb [MIRROR]
#
# Needs root, debootstrap and lintian, and network access to the Debian mirror (default
# http://deb.debian.org/debian). Takes a few minutes; the root is made in a temporary folder and
# removed at the end (keep it with BALANCE4_KEEP_ROOT=1).
set -euo pipefail

deb=$(realpath "${1:?usage: check-deb.sh BALANCE4.deb [MIRROR]}")
mirror=${2:-http://deb.debian.org/debian}
[ "$(id -u)" -eq 0 ] || { echo "check-deb: run as root (debootstrap and chroot)" >&2; exit 2; }
for tool in debootstrap lintian; do
  command -v "$tool" >/dev/null || { echo "check-deb: needs $tool (apt-get install $tool)" >&2; exit 2; }
done

step() { echo "check-deb: $*"; }
fail() { echo "check-deb: FAILED: $*" >&2; exit 1; }

step "lintian $(basename "$deb")"
lintian --fail-on error,warning --tag-display-limit 0 "$deb" || fail "lintian reports errors or warnings"

root=$(mktemp -d /var/tmp/balance4-root.XXXXXX)
chmod 755 "$root"  # apt downloads as the _apt user
cleanup() {
  for m in proc dev/pts; do mountpoint -q "$root/$m" && umount -l "$root/$m"; done
  if [ "${BALANCE4_KEEP_ROOT:-0}" = 1 ]; then echo "check-deb: root kept in $root"; else rm -rf "$root"; fi
}
trap cleanup EXIT

step "debootstrap --variant=minbase bookworm into $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.log" 2>&1 ||
  { tail -20 "$root.log" >&2; fail "debootstrap"; }
rm -f "$root.log"
mount -t proc proc "$root/proc"
mount -t devpts devpts "$root/dev/pts"
cp "$deb" "$root/tmp/"
chmod 644 "$root/tmp/$(basename "$deb")"
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

step "apt-get install ./$(basename "$deb")"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "/tmp/$(basename "$deb")" >/dev/null ||
  fail "the package does not install"

step "balance4-calc --example"
expected=$'33,63\t87,30\t123,26\t20,38\t282,20\t226,05\t70,85\t115,48'
[ "$(in_root balance4-calc --example)" = "$expected" ] || fail "balance4-calc does not give the example's results"
in_root man -w balance4 balance4-calc >/dev/null 2>&1 || step "(man-db is not in a minimal root; pages checked by lintian)"

step "balance4 (offscreen, started from /tmp, Russian locale)"
in_root sh -c 'mkdir -p -m 700 /tmp/rt && cd /tmp &&
  XDG_RUNTIME_DIR=/tmp/rt QT_QPA_PLATFORM=offscreen LANG=ru_RU.UTF-8 balance4 & pid=$!
  sleep 4
  kill -0 $pid || exit 1
  kill $pid' || fail "balance4 did not start and stay up"
[ -r "$root/usr/share/balance4/Ostrelin_manual.pdf" ] || fail "the manual is not installed"
[ -x "$root/usr/bin/xdg-open" ] || fail "xdg-open was not pulled in"
[ -f "$root/usr/share/qt6/translations/qtbase_ru.qm" ] || fail "Qt's Russian texts were not pulled in"

step "passed: lintian clean, installs into a minimal Debian 12, both programs start"
