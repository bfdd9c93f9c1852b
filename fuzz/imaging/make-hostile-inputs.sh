#!/usr/bin/env bash
# Writes hand-made hostile inputs of the imaging fuzz targets into tests/regress/fuzz_*/, next
# to the inputs fuzzing has found to crash; the test suite replays them all (RegressTest).
# Each file is named after what it breaks. Needs the seeds (fuzz/imaging/make-seeds.sh).
#   fuzz/imaging/make-hostile-inputs.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
out=tests/regress
mkdir -p "$out/fuzz_jpeg" "$out/fuzz_pcx" "$out/fuzz_qtformats" "$out/fuzz_probe" \
    "$out/fuzz_pdf" "$out/fuzz_heif"

python3 - "$out" <<'PY'
import struct, sys
out = sys.argv[1]
def put(path, data):
    open(f"{out}/{path}", "wb").write(data)

jpeg = open("fuzz/seeds/fuzz_jpeg/baseline.jpg", "rb").read()
sof = jpeg.index(b"\xff\xc0")
def sized(w, h):
    return jpeg[:sof + 5] + struct.pack(">HH", h, w) + jpeg[sof + 9:]
# The fuzz body asks for a full decode of an even-sized input and a reduced one of an odd one.
huge = sized(65500, 65500)
even, odd = (huge, huge + b"\0") if len(huge) % 2 == 0 else (huge + b"\0", huge)
put("fuzz_jpeg/header-65500x65500.jpg", even)
put("fuzz_jpeg/header-65500x65500-scaled.jpg", odd)
scan = jpeg.index(b"\xff\xda")
put("fuzz_jpeg/cut-inside-scan.jpg", jpeg[:scan + (len(jpeg) - scan) // 2])
put("fuzz_jpeg/zero-width.jpg", sized(0, 16))
# A progressive file whose last scan comes again and again: 150 more scans.
prog = open("fuzz/seeds/fuzz_jpeg/progressive.jpg", "rb").read()
last = prog.rindex(b"\xff\xda")
put("fuzz_jpeg/progressive-repeated-scans.jpg", prog[:-2] + prog[last:-2] * 150 + b"\xff\xd9")
# Grey pictures from a handful of bytes, refused on their cost before any decoding.
def segment(marker, body):
    return bytes([0xFF, marker]) + struct.pack(">H", len(body) + 2) + body
def grey(side, frame):
    return (b"\xff\xd8" + segment(0xDB, b"\0" + b"\1" * 64)
            + segment(frame, struct.pack(">BHHB", 8, side, side, 1) + b"\x01\x11\x00"))
one_code = b"\1" + b"\0" * 15 + b"\0"
tables = segment(0xC4, b"\x00" + one_code) + segment(0xC4, b"\x10" + one_code)
put("fuzz_jpeg/arithmetic-65000x65000-in-112-bytes.jpg", grey(65000, 0xC9)
    + segment(0xDA, b"\x01\x01\x00\x00\x3f\x00") + b"\0" * 16 + b"\xff\xd9")
put("fuzz_jpeg/progressive-8192x8192-in-70-scans.jpg", grey(8192, 0xC2) + tables
    + segment(0xDA, b"\x01\x01\x00\x00\x00\x00") + b"\0" * (1024 * 1024 // 400)
    + (segment(0xDA, b"\x01\x01\x00\x01\x3f\x00") + b"\0") * 69 + b"\xff\xd9")

def pcx(bits, planes, x0, y0, x1, y1, bpl, body, encoding=1):
    head = struct.pack("<BBBBHHHHHH", 10, 5, encoding, bits, x0, y0, x1, y1, 72, 72)
    head += b"\0" * 48 + b"\0" + bytes([planes]) + struct.pack("<HH", bpl, 1)
    return head.ljust(128, b"\0") + body
put("fuzz_pcx/declares-65535x65535x3-in-1KB.pcx", pcx(8, 3, 0, 0, 65534, 65534, 65535, b"\xff\x11" * 440))
put("fuzz_pcx/width-65536.pcx", pcx(1, 1, 0, 0, 65535, 0, 8192, b"\0" * 8192, encoding=0))
put("fuzz_pcx/ends-inside-a-run.pcx", pcx(8, 1, 0, 0, 3, 1, 4, b"\x01\x02\xc5"))
put("fuzz_pcx/xmax-below-xmin.pcx", pcx(8, 1, 10, 0, 3, 1, 4, b"\x01" * 8))
put("fuzz_pcx/zero-line-length.pcx", pcx(8, 1, 0, 0, 3, 1, 0, b"\x01" * 8))
put("fuzz_pcx/run-count-zero.pcx", pcx(8, 1, 0, 0, 3, 0, 4, b"\xc0\x55\x01\x02\x03\x04"))
put("fuzz_pcx/line-far-too-long.pcx", pcx(8, 3, 0, 0, 1, 1, 60000, b"\xff\x00" * 6000))
put("fuzz_pcx/palette-marker-wrong.pcx", pcx(8, 1, 0, 0, 3, 1, 4, b"\x01" * 8 + b"\x0d" + b"\x40" * 768))

# Qt-read formats: the first byte picks the reader (1 BMP, 2 GIF, 3 TIFF, 4 ICO).
gif = b"GIF89a" + struct.pack("<HHBBB", 65535, 65535, 0x80, 0, 0) + b"\0" * 6
gif += b"\x2c" + struct.pack("<HHHHB", 0, 0, 65535, 65535, 0) + b"\x02\x02\x4c\x01\x00\x3b"
put("fuzz_qtformats/gif-65535x65535", b"\x02" + gif)
lzw = b"GIF89a" + struct.pack("<HHBBB", 8, 8, 0x80, 0, 0) + b"\x55" * 6
lzw += b"\x2c" + struct.pack("<HHHHB", 0, 0, 8, 8, 0) + b"\x02\x05\xff\xff\xff\xff\xff\x00\x3b"
put("fuzz_qtformats/gif-bad-lzw", b"\x02" + lzw)
def bmp(w, h, bits, comp, extra, pixels):
    off = 14 + 40 + len(extra)
    return (b"BM" + struct.pack("<IIIIiiHHIIiiII", off + len(pixels), 0, off, 40, w, h, 1, bits,
            comp, len(pixels), 2835, 2835, 0, 0) + extra + pixels)
put("fuzz_qtformats/bmp-zero-bitfield-masks", b"\x01" + bmp(2, 2, 32, 3, b"\0" * 12, b"\x7f" * 16))
put("fuzz_qtformats/bmp-30000x30000", b"\x01" + bmp(30000, 30000, 24, 0, b"", b"\0" * 16))
ico = struct.pack("<HHHBBBBHHII", 0, 1, 1, 16, 16, 0, 0, 1, 32, 1128, 0x7FFFFFF0)
put("fuzz_qtformats/ico-offset-past-end", b"\x04" + ico)
def tiff(entries, pixels=b"\0" * 16):
    at = 8 + 2 + 12 * len(entries) + 4
    d = b"II*\0" + struct.pack("<IH", 8, len(entries))
    for tag, typ, val in entries:
        val = at if val == "pixels" else val
        d += struct.pack("<HHI", tag, typ, 1) + (struct.pack("<HH", val, 0) if typ == 3 else struct.pack("<I", val))
    return d + b"\0\0\0\0" + pixels
base = [(256, 3, 4), (257, 3, 4), (258, 3, 8), (259, 3, 1), (262, 3, 1), (273, 4, "pixels"),
        (277, 3, 1), (278, 3, 4)]
put("fuzz_qtformats/tiff-strip-past-end", b"\x03" + tiff(base[:5] + [(273, 4, 1 << 30)] + base[6:] + [(279, 4, 16)]))
put("fuzz_qtformats/tiff-strip-longer-than-file", b"\x03" + tiff(base + [(279, 4, 1 << 30)]))
put("fuzz_qtformats/tiff-width-beyond-strip", b"\x03" + tiff([(256, 3, 32767)] + base[1:] + [(279, 4, 16)]))

# Probing: segment chains that go nowhere or everywhere.
put("fuzz_probe/jpeg-empty-segments.jpg", b"\xff\xd8" + b"\xff\xe2\x00\x02" * 4000)
put("fuzz_probe/jpeg-segment-beyond-end.jpg", b"\xff\xd8\xff\xe1\xff\xff" + b"Exif\0\0MM")
put("fuzz_probe/png-chunk-length-huge.png", b"\x89PNG\r\n\x1a\n" + struct.pack(">I", 13) + b"IHDR"
    + struct.pack(">IIBBBBB", 4, 4, 8, 2, 0, 0, 0) + b"\0" * 4 + struct.pack(">I", 0xFFFFFFF0) + b"tEXt")
put("fuzz_probe/tiff-directory-offset-huge.tif", b"II*\0" + struct.pack("<I", 0xFFFFFFF0))
put("fuzz_probe/tiff-65535-entries.tif", b"MM\0*" + struct.pack(">IH", 8, 65535) + b"\x01\x00\x00\x03" * 30)
put("fuzz_probe/exif-rational-offset-huge.jpg", jpeg[:2] + b"\xff\xe1\x00\x26Exif\0\0MM\0*"
    + struct.pack(">IHHHII", 8, 1, 282, 5, 1, 0xFFFFFFF0) + b"\0\0\0\0" + jpeg[2:])
gif0 = b"GIF89a" + struct.pack("<HHBBB", 0, 0, 0x87, 0, 0) + b"\0" * 768 + b"\x21\xfe" + b"\xff" * 300
put("fuzz_probe/gif-no-screen-size-truncated.gif", gif0)
put("fuzz_probe/webp-vp8x-only-header.webp", b"RIFF\x16\0\0\0WEBPVP8X\x0a\0\0\0" + b"\xff" * 10)
put("fuzz_probe/webp-exif-length-huge.webp", b"RIFF\xff\xff\xff\xffWEBPVP8X\x0a\0\0\0\x08\0\0\0"
    + b"\x07\0\0\x07\0\0" + b"EXIF\xf0\xff\xff\xff" + b"MM\0*")

# PDF: same-length edits of a sound two-page document, and hand-made structures.
sound = open("fuzz/seeds/fuzz_pdf/turned-pages.pdf", "rb").read()
def edit(old, new):
    assert len(old) == len(new) and old in sound
    return sound.replace(old, new, 1)
put("fuzz_pdf/mediabox-huge.pdf", edit(b"[0 0 595 842]", b"[0 0 99999 8]"))
put("fuzz_pdf/mediabox-zero.pdf", edit(b"[0 0 595 842]", b"[0 0 000 000]"))
put("fuzz_pdf/kid-missing.pdf", edit(b"/Kids [5 0 R", b"/Kids [9 0 R"))
put("fuzz_pdf/page-tree-loop.pdf", edit(b"/Kids [5 0 R", b"/Kids [2 0 R"))
put("fuzz_pdf/count-billion.pdf", edit(b"/Count 2", b"/Count 9").replace(b"/Count 9", b"/Count 999999999"))
put("fuzz_pdf/cut-in-half.pdf", sound[:len(sound) // 2])
trailer = sound.rindex(b"/Root 1 0 R")
put("fuzz_pdf/encrypted-unknown-password.pdf", sound[:trailer] + b"/Encrypt << /Filter /Standard "
    b"/V 1 /R 2 /O <" + b"11" * 32 + b"> /U <" + b"22" * 32 + b"> /P -4 >> /ID [<00ff> <00ff>] "
    + sound[trailer:])
ops = b"0 0 m 1 1 l S " * 200000
stream = b"<< /Length %d >>\nstream\n" % len(ops) + ops + b"\nendstream"
put("fuzz_pdf/many-operators.pdf", b"%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
    b"2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj\n3 0 obj << /Type /Page /Parent 2 0 R"
    b" /MediaBox [0 0 100 100] /Contents 4 0 R >> endobj\n4 0 obj " + stream + b" endobj\n"
    b"trailer << /Root 1 0 R >>\n%%EOF\n")

# HEIF: cut short, a declared size far beyond the limits, nothing but the file type box.
heic = open("fuzz/seeds/fuzz_heif/lossy.heic", "rb").read()
put("fuzz_heif/cut-in-half.heic", heic[:len(heic) // 2])
huge = heic
for at in [i for i in range(len(heic)) if heic.startswith(b"ispe", i)]:
    huge = huge[:at + 8] + struct.pack(">II", 65535, 65535) + huge[at + 16:]
put("fuzz_heif/ispe-65535x65535.heic", huge)
put("fuzz_heif/file-type-box-only.heic", heic[:heic.index(b"meta") - 4])
PY
ls "$out"/fuzz_* | head -50
