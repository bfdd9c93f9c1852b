#!/usr/bin/env python3
"""Writes JPEG files that cost the decoder the most for their size: huge pictures whose coded
data is missing or repeated, many scans, restart markers, arithmetic coding.
    bench/hostile-jpeg.py FILE KIND [key=value ...]
KIND is one of: costly (used by bench/hostile-runs.sh), passes, restarts, output,
arithmetic (see KINDS), custom (the keys below).
Keys: w, h, comps, prog, arith, scans, dri, data, band=(ss,se), refine."""
import struct
import sys


def segment(marker, body):
    return b'\xff' + bytes([marker]) + struct.pack('>H', len(body) + 2) + body


def jpeg(w, h, comps=1, prog=False, arith=False, scans=1, dri=0, data=0, band=(1, 63),
         refine=False):
    b = b'\xff\xd8' + segment(0xDB, b'\x00' + b'\x01' * 64)
    sof = (0xCA if prog else 0xC9) if arith else (0xC2 if prog else 0xC0)
    frame = b'\x08' + struct.pack('>HHB', h, w, comps)
    for c in range(comps):
        frame += bytes([c + 1, 0x11, 0])
    b += segment(sof, frame)
    if not arith:
        # One code, "0", in each table: DC difference 0; AC run 0 and size 1, so that every
        # coefficient of a band is decoded.
        def table(symbol):
            return b'\x01' + b'\x00' * 15 + bytes([symbol])
        b += segment(0xC4, b'\x00' + table(0x00)) + segment(0xC4, b'\x10' + table(0x01))
    if dri:
        b += segment(0xDD, struct.pack('>H', dri))

    def sos(cs, ss, se, ah, al):
        body = bytes([len(cs)]) + b''.join(bytes([c, 0]) for c in cs) + bytes([ss, se, ah << 4 | al])
        return segment(0xDA, body)
    components = list(range(1, comps + 1))
    if not prog:
        return b + sos(components, 0, 63, 0, 0) + b'\x00' * data + b'\xff\xd9'
    b += sos(components, 0, 0, 0, 0) + b'\x00' * data
    for k in range(scans - 1):
        for c in components:
            b += sos([c], band[0], band[1], 1 if refine and k > 0 else 0, 0) + b'\x00' * 16
    return b + b'\xff\xd9'


# The costliest files each limit allows (seconds each under the sanitizers; as seeds they would
# slow the fuzzer to a crawl, so they are made here rather than kept as regression inputs).
KINDS = {
    'costly': dict(w=4096, h=4096, prog=True, scans=40, dri=1, refine=True, data=2000),
    'passes': dict(w=8192, h=4096, prog=True, scans=64, data=2000),
    'restarts': dict(w=8192, h=4096, prog=True, scans=21, dri=1, refine=True, data=2000),
    'output': dict(w=16384, h=16384, dri=1, data=6000),
    'arithmetic': dict(w=4095, h=4095, arith=True, data=2001),
}

if __name__ == '__main__':
    path, kind = sys.argv[1], sys.argv[2]
    options = dict(KINDS.get(kind, {}))
    for arg in sys.argv[3:]:
        key, value = arg.split('=', 1)
        options[key] = eval(value)
    with open(path, 'wb') as f:
        f.write(jpeg(**options))
