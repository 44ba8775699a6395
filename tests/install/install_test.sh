#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks the desktop files, starts the installed
# program offscreen from its menu entry's folder, and builds the .deb and checks what it holds.
# install_test.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "install_test: $*" >&2; exit 1; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/balance4 share/balance4/Ostrelin_manual.pdf share/applications/balance4.desktop \
         share/icons/hicolor/32x32/apps/balance4.png share/metainfo/ru.talmeron.balance4.metainfo.xml; do
  [ -s "$prefix/$f" ] || fail "missing $f"
done
desktop="$prefix/share/applications/balance4.desktop"
grep -qx "Exec=$prefix/bin/balance4" "$desktop" || fail "Exec does not name the installed program"
path=$(sed -n 's/^Path=//p' "$desktop")
[ -f "$path/Ostrelin_manual.pdf" ] || fail "the menu entry does not start the program beside the manual"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi

# Started as the menu entry starts it; it must come up and stay up (no display needed).
(cd "$path" && QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" exec "$prefix/bin/balance4") &
pid=$!
sleep 3
kill -0 "$pid" 2>/dev/null || { wait "$pid" || true; fail "the installed program did not stay up"; }
kill "$pid"
wait "$pid" 2>/dev/null || true

# The package: built from the same install rules, for /usr, pulling Qt and libjpeg.
(cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null) || fail "cpack failed"
deb=$(ls "$work"/deb/balance4_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libjpeg62-turbo fonts-liberation2; do
  [[ $depends == *"$lib"* ]] || fail "the package does not depend on $lib: $depends"
done
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/balance4 ./usr/share/balance4/Ostrelin_manual.pdf ./usr/share/applications/balance4.desktop; do
  grep -q " $f\$" <<<"$contents" || fail "the package lacks $f"
done
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/balance4.desktop | grep -qx 'Path=/usr/share/balance4' ||
  fail "the packaged menu entry does not point to /usr/share/balance4"
echo "install_test: prefix install, offscreen start, $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB)"
