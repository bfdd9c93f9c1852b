#!/usr/bin/env bash
# Makes the Debian package in the build folder, unpacks it into an empty folder and checks what
# a desktop needs: both programs (stripped, hardened), the menu entry, the icon, the manual page,
# the copyright file and changelog, the declared dependencies, the debugging symbols package,
# and that lintian finds no error in either package.
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
symbols=("$work"/out/pagula-dbg_*.deb)
[ -f "${symbols[0]}" ] || fail "no pagula-dbg package in $(ls "$work/out")"
echo "packages: $(basename "$deb") $(basename "${symbols[0]}")"

dpkg-deb -x "$deb" "$work/root"
for f in usr/bin/pagula usr/bin/pagula-compose; do
    [ -x "$work/root/$f" ] || fail "$f missing or not executable"
    file "$work/root/$f" | grep -q ', stripped' || fail "$f is not stripped"
    # Hardened: relocations read-only and bound at start, position independent, stack protector.
    # (Whole outputs read into variables: grep -q closing a pipe early fails it under pipefail.)
    headers=$(readelf -lW "$work/root/$f")
    dynamic=$(readelf -dW "$work/root/$f")
    symbols_used=$(nm -D "$work/root/$f")
    grep -q GNU_RELRO <<<"$headers" || fail "$f has no RELRO"
    grep -q 'Flags: NOW PIE' <<<"$dynamic" || fail "$f is not bound at start or not PIE"
    grep -q __stack_chk_fail <<<"$symbols_used" || fail "$f has no stack protector"
done
for f in usr/share/applications/pagula.desktop usr/share/icons/hicolor/scalable/apps/pagula.svg \
         usr/share/man/man1/pagula-compose.1.gz usr/share/man/ru/man1/pagula-compose.1.gz \
         usr/share/man/man1/pagula.1.gz usr/share/man/ru/man1/pagula.1.gz \
         usr/share/doc/pagula/copyright \
         usr/share/doc/pagula/changelog.gz; do
    [ -s "$work/root/$f" ] || fail "$f missing"
done
desktop-file-validate "$work/root/usr/share/applications/pagula.desktop" ||
    fail "desktop-file-validate"
grep -qx 'Exec=pagula %F' "$work/root/usr/share/applications/pagula.desktop" || fail "Exec line"
grep -q '^MimeType=.*image/jpeg;.*image/vnd.zbrush.pcx;' \
    "$work/root/usr/share/applications/pagula.desktop" || fail "MimeType line"
grep -qx 'Icon=pagula' "$work/root/usr/share/applications/pagula.desktop" || fail "Icon line"
grep -q '<svg' "$work/root/usr/share/icons/hicolor/scalable/apps/pagula.svg" || fail "icon is no SVG"
# The manual page is the batch command's --help: every option of it is there.
page=$(man -l "$work/root/usr/share/man/man1/pagula-compose.1.gz" 2>&1)
for option in --two-sided --duplex --back-offset --embed EXAMPLES; do
    grep -q -- "$option" <<<"$page" || fail "manual page lacks $option"
done
# Its Russian page speaks Russian, the window's pages name its --lang.
page=$(man -l "$work/root/usr/share/man/ru/man1/pagula-compose.1.gz" 2>&1)
for text in --two-sided --duplex "ПРИМЕРЫ" "Раскладывает"; do
    grep -q -- "$text" <<<"$page" || fail "Russian manual page lacks $text"
done
for lang in "" ru/; do
    man -l "$work/root/usr/share/man/${lang}man1/pagula.1.gz" 2>&1 | grep -q -- --lang ||
        fail "manual page ${lang}pagula.1 lacks --lang"
done

# Nothing outside /usr, nothing of the build (tests, benchmarks, static libraries).
extra=$(cd "$work/root" && find . -type f | grep -v '^\./usr/' || true)
[ -z "$extra" ] || fail "files outside /usr: $extra"
[ "$(cd "$work/root" && find . -type f | wc -l)" -eq 10 ] ||
    fail "unexpected files: $(cd "$work/root" && find . -type f)"

# Dependencies found from the linked libraries, plus those no library names.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for d in libqt6widgets6 libqt6printsupport6 libqt6svg6 libcups2 libjpeg62-turbo libzip4 \
         qt6-image-formats-plugins qt6-translations-l10n; do
    grep -q "$d" <<<"$depends" || fail "Depends lacks $d"
done

# The unpacked batch command runs from its new place.
"$work/root/usr/bin/pagula-compose" --lang en --help | grep -q 'Usage: pagula-compose' ||
    fail "unpacked pagula-compose --help"

# Lintian: no error (warnings are shown).
if command -v lintian >/dev/null; then
    report=$(lintian --allow-root --tag-display-limit 0 "$deb" "${symbols[0]}" 2>&1 || true)
    echo "$report"
    ! grep -q '^E:' <<<"$report" || fail "lintian reports errors"
else
    echo "SKIPPED: lintian is not installed (scripts/deps.sh test installs it)"
    exit 77
fi
echo "OK"
