#!/usr/bin/env bash
# Writes the seed inputs of the imaging fuzz targets into fuzz/seeds/fuzz_*/: small pictures of
# every variant the decoders handle, made with ImageMagick, libjpeg-turbo's tools, heif-enc,
# img2pdf and small hand-written PDFs.
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

mkdir -p "$seeds/fuzz_jpeg" "$seeds/fuzz_pcx" "$seeds/fuzz_qtformats" "$seeds/fuzz_probe" \
    "$seeds/fuzz_pdf" "$seeds/fuzz_heif"
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

# Qt-read formats: the first byte picks the reader (0 PNG, 1 BMP, 2 GIF, 3 TIFF, 4 ICO, 5 WebP);
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
convert "$work/src.png" -quality 80 "$work/a.webp"; prefixed '\x05' "$work/a.webp" "$q/webp"
convert "$work/alpha.png" -define webp:lossless=true "$work/lossless.webp"
prefixed '\x85' "$work/lossless.webp" "$q/webp-lossless-alpha-reduced"

# HEIF photos: lossy, lossless, with alpha, with a thumbnail.
h=$seeds/fuzz_heif
heif-enc -q 60 "$work/src.png" -o "$h/lossy.heic" >/dev/null
heif-enc -L -p chroma=444 "$work/src.png" -o "$h/lossless.heic" >/dev/null
heif-enc -q 60 "$work/alpha.png" -o "$h/alpha.heic" >/dev/null
heif-enc -q 60 -t 8 "$work/src.png" -o "$h/thumbnail.heic" >/dev/null

# PDF documents: a picture page (img2pdf), and hand-written pages of text and paths, a turned
# page and a compressed content stream.
pd=$seeds/fuzz_pdf
img2pdf "$j/baseline.jpg" -o "$pd/picture.pdf"
python3 - "$pd" <<'PY'
import sys, zlib
def pdf(pages, compress=False):
    objs = [b"<< /Type /Catalog /Pages 2 0 R >>", None,
            b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"]
    kids = []
    for box, rotate, content in pages:
        data = zlib.compress(content) if compress else content
        objs.append(b"<< /Length %d%s >>\nstream\n" % (len(data), b" /Filter /FlateDecode" if compress else b"") + data + b"\nendstream")
        objs.append(b"<< /Type /Page /Parent 2 0 R /MediaBox [%s] /Rotate %d /Contents %d 0 R /Resources << /Font << /F1 3 0 R >> >> >>" % (box, rotate, len(objs)))
        kids.append(b"%d 0 R" % len(objs))
    objs[1] = b"<< /Type /Pages /Kids [%s] /Count %d >>" % (b" ".join(kids), len(kids))
    out, offsets = b"%PDF-1.4\n", []
    for n, body in enumerate(objs, 1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % n + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objs) + 1)
    out += b"".join(b"%010d 00000 n \n" % o for o in offsets)
    return out + b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objs) + 1, xref)
text = b"BT /F1 24 Tf 40 700 Td (Crib sheet page) Tj ET 0.2 0.4 0.8 rg 40 400 200 150 re f 1 w 40 300 m 300 350 l S"
open(sys.argv[1] + "/text.pdf", "wb").write(pdf([(b"0 0 595 842", 0, text)]))
open(sys.argv[1] + "/turned-pages.pdf", "wb").write(pdf([(b"0 0 595 842", 90, text), (b"0 0 842 595", 0, text)]))
open(sys.argv[1] + "/compressed.pdf", "wb").write(pdf([(b"0 0 300 200", 0, text)], compress=True))
PY

pr=$seeds/fuzz_probe
cp "$j/exif-orientation.jpg" "$pr/exif.jpg"
convert "$work/src.png" -density 300 -units PixelsPerInch "$pr/density.jpg"
convert "$work/src.png" -density 118 -units PixelsPerCentimeter "$pr/density.png"
convert "$work/src.png" -density 200 BMP3:"$pr/density.bmp"
cp "$work/a.gif" "$pr/a.gif"
convert "$work/src.png" -density 600 -orient BottomRight "$pr/oriented.tif"
cp "$p/palette.pcx" "$pr/a.pcx"
cp "$work/a.ico" "$pr/a.ico"
cp "$work/a.webp" "$pr/a.webp"
cp "$h/lossy.heic" "$pr/a.heic"
cp "$pd/text.pdf" "$pr/a.pdf"
du -sh "$seeds"/fuzz_jpeg "$seeds"/fuzz_pcx "$seeds"/fuzz_qtformats "$seeds"/fuzz_probe \
    "$seeds"/fuzz_pdf "$seeds"/fuzz_heif
