#!/usr/bin/env bash
# Writes the seed inputs of the imaging fuzz targets into fuzz/seeds/fuzz_*/: small pictures of
# every variant the decoders handle, made with ImageMagick and libjpeg-turbo's tools.
#   fuzz/imaging/make-seeds.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
seeds=fuzz/seeds
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A small picture with four colours and an edge, the source of every seed.
convert -size 24x16 xc:white -fill '#d02020' -draw 'rectangle 0,0 11,7' \
    -fill '#20c030' -draw 'rectangle 12,0 23,7' -fill '#2030d0' -draw 'rectangle 0,8 11,15' \
    -fill black -draw 'line 0,15 23,0' "$work/src.png"
convert "$work/src.png" "$work/src.ppm"

mkdir -p "$seeds/fuzz_jpeg" "$seeds/fuzz_pcx" "$seeds/fuzz_qtformats" "$seeds/fuzz_probe"
j=$seeds/fuzz_jpeg
cjpeg -quality 80 "$work/src.ppm" > "$j/baseline.jpg"
cjpeg -progressive "$work/src.ppm" > "$j/progressive.jpg"
cjpeg -grayscale "$work/src.ppm" > "$j/grey.jpg"
cjpeg -arithmetic "$work/src.ppm" > "$j/arithmetic.jpg"
cjpeg -restart 1B -sample 1x1 "$work/src.ppm" > "$j/restart-444.jpg"
cjpeg -optimize -sample 2x1 "$work/src.ppm" > "$j/optimized-422.jpg"
convert "$work/src.png" -colorspace CMYK "$j/cmyk.jpg"
# An EXIF block (big-endian TIFF structure: orientation 6, 300 dpi) behind the start marker.
python3 - "$j/baseline.jpg" "$j/exif-orientation.jpg" <<'PY'
import struct, sys
entries = [(274, 3, 1, struct.pack(">HH", 6, 0)), (282, 5, 1, struct.pack(">I", 62)),
           (283, 5, 1, struct.pack(">I", 70)), (296, 3, 1, struct.pack(">HH", 2, 0))]
tiff = b"MM\0*" + struct.pack(">IH", 8, len(entries))
tiff += b"".join(struct.pack(">HHI", t, ty, n) + v for t, ty, n, v in entries)
tiff += struct.pack(">I", 0) + struct.pack(">IIII", 300, 1, 300, 1)
app1 = b"Exif\0\0" + tiff
jpeg = open(sys.argv[1], "rb").read()
open(sys.argv[2], "wb").write(jpeg[:2] + b"\xff\xe1" + struct.pack(">H", len(app1) + 2) + app1 + jpeg[2:])
PY

p=$seeds/fuzz_pcx
convert "$work/src.png" "$p/24bit.pcx"
convert "$work/src.png" -type palette "$p/palette.pcx"
convert "$work/src.png" -colorspace gray "$p/grey.pcx"
# 1-bit and 16-colour planes, which ImageMagick does not write.
python3 - "$p" <<'PY'
import struct, sys
def pcx(bits, planes, w, h, lines, ega=b""):
    bpl = ((w * bits + 7) // 8 + 1) & ~1
    head = struct.pack("<BBBBHHHHHH", 10, 5, 1, bits, 0, 0, w - 1, h - 1, 72, 72)
    head += ega.ljust(48, b"\0") + b"\0" + bytes([planes]) + struct.pack("<HH", bpl, 1)
    head = head.ljust(128, b"\0")
    body = b""
    for line in lines:
        for byte in line.ljust(bpl * planes, b"\0"):
            body += bytes([0xC1, byte]) if byte >= 0xC0 else bytes([byte])
    return head + body
w, h = 24, 16
mono = [bytes([0xF0 if y < 8 else 0x0F]) * 3 for y in range(h)]
open(sys.argv[1] + "/1bit.pcx", "wb").write(pcx(1, 1, w, h, mono))
ega = bytes(v for i in range(16) for v in ((i & 4) * 42, (i & 2) * 85, (i & 1) * 170))
planes = [b"".join(bytes([0xAA >> (p % 2)]) * 4 for p in range(4)) for y in range(h)]
open(sys.argv[1] + "/16colour.pcx", "wb").write(pcx(1, 4, w, h, planes, ega))
PY

# Qt-read formats: the first byte picks the reader (0 PNG, 1 BMP, 2 GIF, 3 TIFF, 4 ICO);
# its top bit asks for a reduced picture.
q=$seeds/fuzz_qtformats
prefixed() { { printf "$1"; cat "$2"; } > "$3"; }
convert "$work/src.png" "$work/a.png"; prefixed '\x00' "$work/a.png" "$q/png"
convert "$work/src.png" -alpha set -channel A -evaluate set 50% "$work/alpha.png"
prefixed '\x80' "$work/alpha.png" "$q/png-alpha-reduced"
convert "$work/src.png" BMP3:"$work/24.bmp"; prefixed '\x01' "$work/24.bmp" "$q/bmp24"
convert "$work/src.png" -type palette -compress RLE BMP3:"$work/rle8.bmp"
prefixed '\x01' "$work/rle8.bmp" "$q/bmp-rle8"
convert "$work/src.png" -colors 4 -type palette BMP3:"$work/4.bmp"; prefixed '\x01' "$work/4.bmp" "$q/bmp4"
convert "$work/src.png" -monochrome BMP3:"$work/1.bmp"; prefixed '\x01' "$work/1.bmp" "$q/bmp1"
convert "$work/src.png" -alpha set -define bmp:format=bmp4 "$work/32.bmp"
prefixed '\x01' "$work/32.bmp" "$q/bmp32-bitfields"
convert "$work/src.png" "$work/a.gif"; prefixed '\x02' "$work/a.gif" "$q/gif"
convert "$work/src.png" -compress lzw "$work/lzw.tif"; prefixed '\x03' "$work/lzw.tif" "$q/tiff-lzw"
convert "$work/src.png" -monochrome -compress Group4 "$work/g4.tif"; prefixed '\x03' "$work/g4.tif" "$q/tiff-g4"
convert "$work/src.png" "$work/src.png" "$work/pages.tif"; prefixed '\x03' "$work/pages.tif" "$q/tiff-pages"
convert "$work/src.png" "$work/a.ico"; prefixed '\x04' "$work/a.ico" "$q/ico"

pr=$seeds/fuzz_probe
cp "$j/exif-orientation.jpg" "$pr/exif.jpg"
convert "$work/src.png" -density 300 -units PixelsPerInch "$pr/density.jpg"
convert "$work/src.png" -density 118 -units PixelsPerCentimeter "$pr/density.png"
convert "$work/src.png" -density 200 BMP3:"$pr/density.bmp"
cp "$work/a.gif" "$pr/a.gif"
convert "$work/src.png" -density 600 -orient BottomRight "$pr/oriented.tif"
cp "$p/palette.pcx" "$pr/a.pcx"
cp "$work/a.ico" "$pr/a.ico"
du -sh "$seeds"/fuzz_jpeg "$seeds"/fuzz_pcx "$seeds"/fuzz_qtformats "$seeds"/fuzz_probe
