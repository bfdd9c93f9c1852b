#!/usr/bin/env bash
# Builds the picture decoders that the fuzz targets reach, from Debian's source packages and with
# the fuzzing flags, so that libFuzzer sees their coverage and AddressSanitizer their memory:
# libjpeg-turbo and libtiff as static libraries, and the sources of Qt's GIF, ICO, BMP and TIFF
# readers, which the fuzz build compiles into its Qt-formats target. Prints the folder holding
# include/, lib/ and qt/.
#
# Built once for each set of source versions, compiler and this script, and kept in
#   ${PAGULA_FUZZ_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pagula/fuzz-libs}/<key>
# so that later runs (and CI runs on a fresh clone of the same machine) take it from there.
# apt-get source needs deb-src entries; when there are none, they are made from the deb entries.
#   scripts/fuzz-libs.sh
set -euo pipefail
cd "$(dirname "$0")/.."
script=$PWD/scripts/fuzz-libs.sh
packages=(libjpeg-turbo tiff qt6-base qt6-imageformats)
cc=clang-14
# AddressSanitizer and coverage, as for our own code; UBSan stays with our code, the libraries'
# own undefined behaviour being theirs to find.
flags="-fsanitize=fuzzer-no-link,address -fno-omit-frame-pointer -g -O2 -fPIC"

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
log() { echo "fuzz-libs: $*" >&2; }

has_deb_src() {
    grep -rqsE '^deb-src |^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/
}

# Debian's own archive only: other entries need not serve sources.
add_deb_src() {
    local debian=/etc/apt/sources.list.d/debian.sources
    log "adding deb-src entries for Debian's archive"
    if [ -f "$debian" ]; then
        sed -E 's/^Types:.*/Types: deb-src/' "$debian" |
            $SUDO tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
    fi
    if [ -f /etc/apt/sources.list ]; then
        sed -nE 's/^deb (.*debian\.org.*)/deb-src \1/p' /etc/apt/sources.list |
            $SUDO tee /etc/apt/sources.list.d/debian-src.list >/dev/null
    fi
}

# The versions apt knows for a source package, newest first.
versions() {
    apt-cache showsrc --only-source "$1" 2>/dev/null | sed -nE 's/^Version: //p' | sort -rVu
}

if [ -z "$(versions libjpeg-turbo)" ]; then
    has_deb_src || add_deb_src
    $SUDO apt-get update -qq || log "apt-get update reported errors"
fi
for p in "${packages[@]}"; do
    [ -n "$(versions "$p")" ] || { log "no source package $p"; exit 1; }
done

key=$({
    sha256sum "$script"
    for p in "${packages[@]}"; do echo "$p $(versions "$p" | tr '\n' ' ')"; done
    $cc --version | head -n 1
} | sha256sum | cut -c1-16)
cache=${PAGULA_FUZZ_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pagula/fuzz-libs}
prefix=$cache/$key
if [ -f "$prefix/complete" ]; then
    echo "$prefix"
    exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$prefix"
mkdir -p "$prefix/include" "$prefix/lib" "$prefix/qt" "$work/dl"

# Downloads a source package: the newest version the archive still serves (an index can name a
# version newer than the mirror holds).
fetch() {
    local v
    for v in $(versions "$1"); do
        if (cd "$work/dl" && apt-get source --download-only -qq "$1=$v" >/dev/null 2>&1); then
            log "$1 $v"
            echo "$1 $v" >>"$prefix/versions"
            return 0
        fi
    done
    log "cannot download the source of $1"
    return 1
}

# Unpacks a downloaded source package with Debian's patches applied.
unpack() {
    local dsc
    dsc=$(ls "$work/dl/$1"_*.dsc | head -n 1)
    dpkg-source -q --no-check -x "$dsc" "$work/$1" >/dev/null
}

configure() {
    CC=$cc CFLAGS="$flags" cmake -G Ninja -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=None \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR=lib -DBUILD_SHARED_LIBS=OFF \
        "${@:3}" >/dev/null
}

for p in "${packages[@]}"; do fetch "$p"; done

# libjpeg-turbo: the library alone, without SIMD (assembly has no coverage and hides accesses).
unpack libjpeg-turbo
configure "$work/libjpeg-turbo" "$work/build-jpeg" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
cmake --build "$work/build-jpeg" --parallel "$(nproc)" --target jpeg-static >/dev/null
cp "$work/build-jpeg/libjpeg.a" "$prefix/lib/"
cp "$work/build-jpeg/jconfig.h" "$work/libjpeg-turbo/"{jpeglib.h,jmorecfg.h,jerror.h} \
    "$prefix/include/"

# libtiff with the codecs Debian's reader has that need nothing beyond zlib and libjpeg.
unpack tiff
configure "$work/tiff" "$work/build-tiff" -Dtiff-tools=OFF -Dtiff-tests=OFF \
    -Dtiff-contrib=OFF -Dtiff-docs=OFF -Dcxx=OFF -Dzlib=ON -Dpixarlog=ON -Djpeg=ON -Dold-jpeg=ON \
    -Djbig=OFF -Dlerc=OFF -Dlzma=OFF -Dzstd=OFF -Dwebp=OFF -Dlibdeflate=OFF \
    -DJPEG_INCLUDE_DIR="$prefix/include" -DJPEG_LIBRARY="$prefix/lib/libjpeg.a"
cmake --build "$work/build-tiff" --parallel "$(nproc)" --target tiff >/dev/null
cp "$work/build-tiff/libtiff/libtiff.a" "$prefix/lib/"
for h in tiff.h tiffio.h tiffvers.h tiffconf.h; do
    # Generated headers are in the build folder, the others in the source.
    if [ -f "$work/build-tiff/libtiff/$h" ]; then
        cp "$work/build-tiff/libtiff/$h" "$prefix/include/"
    else
        cp "$work/tiff/libtiff/$h" "$prefix/include/"
    fi
done

# Qt's readers: only their few files are taken from the large qtbase archive, unless Debian
# patches them, in which case the whole package is unpacked with its patches.
readers=(src/plugins/imageformats/gif src/plugins/imageformats/ico src/gui/image/qbmphandler)
orig=$(ls "$work/dl"/qt6-base_*.orig.tar.* | head -n 1)
tar -xf "$work/dl"/qt6-base_*.debian.tar.* -C "$work/dl" debian/patches
if grep -qsE "^\+\+\+ [^ ]*/($(IFS='|'; echo "${readers[*]}"))" "$work/dl/debian/patches/"*; then
    unpack qt6-base
    qtbase=$work/qt6-base
else
    mkdir -p "$work/qtbase"
    tar -xf "$orig" -C "$work/qtbase" --strip-components=1 --wildcards \
        "*/${readers[0]}/*" "*/${readers[1]}/*" "*/${readers[2]}*"
    qtbase=$work/qtbase
fi
unpack qt6-imageformats
mkdir -p "$prefix/qt/bmp/private"
cp -r "$qtbase/src/plugins/imageformats/gif" "$qtbase/src/plugins/imageformats/ico" \
    "$work/qt6-imageformats/src/plugins/imageformats/tiff" "$prefix/qt/"
cp "$qtbase/src/gui/image/qbmphandler.cpp" "$prefix/qt/bmp/"
cp "$qtbase/src/gui/image/qbmphandler_p.h" "$prefix/qt/bmp/private/"

touch "$prefix/complete"
# Builds for other versions, or cut short, are of no further use.
find "$cache" -mindepth 1 -maxdepth 1 ! -name "$key" -exec rm -rf {} +
echo "$prefix"
