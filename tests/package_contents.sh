#!/bin/sh
# Builds the Debian package from a built tree and checks what it holds.
# Usage: package_contents.sh BUILD_DIR
set -eu
build=$1
command -v dpkg-deb >/dev/null || { echo "no dpkg-deb: not a Debian system"; exit 77; }

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 \
  || { cat "$out/cpack.log"; fail "cpack"; }
deb=$(ls "$out"/kardolist_*.deb)

bin=./usr/bin
desktop=./usr/share/applications/kardolist.desktop
icon=./usr/share/icons/hicolor/128x128/apps/kardolist.png
paths=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for f in $bin/kardolist $bin/kardolist-cli $desktop $icon; do
  echo "$paths" | grep -qx "$f" || fail "$f is not in the package"
done

depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libjpeg62-turbo liborcus-0.17-0 libfreexl1 libdeflate0 \
         qt6-translations-l10n fonts-liberation2 qt6-qpa-plugins; do
  echo "$depends" | tr ',' '\n' | grep -Eq "^ *$d( |\$)" || fail "Depends lacks $d: $depends"
done

root=$out/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/$desktop" || fail "desktop-file-validate refuses $desktop"
# The menu entry starts a program of this package and names its icon.
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$root/$desktop")
[ -x "$root/$bin/$exec_program" ] || fail "Exec=$exec_program is not in $bin"
[ "$(sed -n 's/^Icon=//p' "$root/$desktop")" = kardolist ] || fail "Icon= does not name kardolist.png"
file "$root/$icon" | grep -q 'PNG image data, 128 x 128' || fail "$icon is not a 128x128 PNG"
# The stripped programs still run.
"$root/$bin/kardolist-cli" --help >/dev/null || fail "the packaged kardolist-cli does not run"
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes; Depends: $depends"
