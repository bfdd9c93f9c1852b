#!/usr/bin/env bash
# Makes the Debian package in the build folder, unpacks it into an empty folder and checks what
# a desktop needs: both programs, the menu entry, the icon, the manual page and the declared
# dependencies.
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; fail "cpack -G DEB"; }
debs=("$work"/out/pagula_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single pagula_*.deb in $(ls "$work/out")"
deb=${debs[0]}
echo "package: $(basename "$deb")"

dpkg-deb -x "$deb" "$work/root"
for f in usr/bin/pagula usr/bin/pagula-compose; do
    [ -x "$work/root/$f" ] || fail "$f missing or not executable"
done
for f in usr/share/applications/pagula.desktop usr/share/icons/hicolor/scalable/apps/pagula.svg \
         usr/share/man/man1/pagula-compose.1; do
    [ -s "$work/root/$f" ] || fail "$f missing"
done
desktop-file-validate "$work/root/usr/share/applications/pagula.desktop" ||
    fail "desktop-file-validate"
grep -qx 'Exec=pagula %F' "$work/root/usr/share/applications/pagula.desktop" || fail "Exec line"
grep -q '^MimeType=.*image/jpeg;.*image/vnd.zbrush.pcx;' \
    "$work/root/usr/share/applications/pagula.desktop" || fail "MimeType line"
grep -qx 'Icon=pagula' "$work/root/usr/share/applications/pagula.desktop" || fail "Icon line"
grep -q '<svg' "$work/root/usr/share/icons/hicolor/scalable/apps/pagula.svg" || fail "icon is no SVG"
man -l "$work/root/usr/share/man/man1/pagula-compose.1" 2>&1 | grep -q -- '--two-sided' ||
    fail "manual page does not render"

# Nothing outside /usr, nothing of the build (tests, benchmarks, static libraries).
extra=$(cd "$work/root" && find . -type f | grep -v '^\./usr/' || true)
[ -z "$extra" ] || fail "files outside /usr: $extra"
[ "$(cd "$work/root" && find . -type f | wc -l)" -eq 5 ] ||
    fail "unexpected files: $(cd "$work/root" && find . -type f)"

# Dependencies found from the linked libraries, plus those no library names.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for d in libqt6widgets6 libqt6printsupport6 libjpeg62-turbo libzip4 qt6-image-formats-plugins \
         qt6-translations-l10n; do
    grep -q "$d" <<<"$depends" || fail "Depends lacks $d"
done

# The unpacked batch command runs from its new place.
"$work/root/usr/bin/pagula-compose" --help | grep -q 'Usage: pagula-compose' ||
    fail "unpacked pagula-compose --help"
echo "OK"
