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

files=(bin/balance4 bin/balance4-calc bin/balance4-job share/balance4/Ostrelin_manual.pdf
       share/applications/balance4.desktop share/applications/balance4-job.desktop
       share/icons/hicolor/scalable/apps/balance4-job.svg share/man/man1/balance4-job.1.gz share/metainfo/ru.talmeron.balance4.metainfo.xml
       share/icons/hicolor/scalable/apps/balance4.svg share/man/man1/balance4.1.gz
       share/man/man1/balance4-calc.1.gz share/doc/balance4/copyright share/doc/balance4/changelog.gz)
for size in 16 24 32 48 64 128 256; do
  files+=("share/icons/hicolor/${size}x$size/apps/balance4.png" "share/icons/hicolor/${size}x$size/apps/balance4-job.png")
done
for f in "${files[@]}"; do
  [ -s "$prefix/$f" ] || fail "missing $f"
done
for size in 16 256; do  # a PNG's width: bytes 16 to 19, big-endian
  width=$(od -An -tu1 -j16 -N4 "$prefix/share/icons/hicolor/${size}x$size/apps/balance4.png" |
          awk '{print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4}')
  [ "$width" = "$size" ] || fail "the ${size}px icon is $width pixels wide"
done
[ "$("$prefix/bin/balance4-calc" --example)" = $'33,63\t87,30\t123,26\t20,38\t282,20\t226,05\t70,85\t115,48' ] ||
  fail "the installed balance4-calc does not give the example's results"
desktop="$prefix/share/applications/balance4.desktop"
grep -qx "Exec=$prefix/bin/balance4" "$desktop" || fail "Exec does not name the installed program"
path=$(sed -n 's/^Path=//p' "$desktop")
[ -f "$path/Ostrelin_manual.pdf" ] || fail "the menu entry does not start the program beside the manual"
grep -qx "Exec=$prefix/bin/balance4-job %f" "$prefix/share/applications/balance4-job.desktop" ||
  fail "the job window's Exec does not name the installed program"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" "$prefix/share/applications/balance4-job.desktop"
fi

# Started from another folder; it must come up and stay up (no display needed).
(cd "$work" && QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" exec "$prefix/bin/balance4") &
pid=$!
sleep 3
kill -0 "$pid" 2>/dev/null || { wait "$pid" || true; fail "the installed program did not stay up"; }
kill "$pid"
wait "$pid" 2>/dev/null || true

# The package: built from the same install rules, for /usr, pulling Qt and libjpeg.
(cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null) || fail "cpack failed"
deb=$(ls "$work"/deb/balance4_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libjpeg62-turbo fonts-liberation2 qt6-translations-l10n xdg-utils; do
  [[ $depends == *"$lib"* ]] || fail "the package does not depend on $lib: $depends"
done
contents=$(dpkg-deb -c "$deb")
for f in "${files[@]}"; do
  f=./usr/$f
  grep -q " $f\$" <<<"$contents" || fail "the package lacks $f"
done
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/balance4.desktop | grep -qx 'Path=/usr/share/balance4' ||
  fail "the packaged menu entry does not point to /usr/share/balance4"
echo "install_test: prefix install, offscreen start, $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB)"
