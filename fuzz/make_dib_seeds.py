#!/usr/bin/env python3
# Writes the seed corpora of the DIB fuzz targets: small hand-made DIBs of every header
# kind, bit count and compression that diblib reads, as packed DIBs (dib_validate_fuzz),
# with a palette prefix (dib_format_fuzz) and as bitmap files (dib_read_fuzz).
# Usage: fuzz/make_dib_seeds.py  (from anywhere; writes into fuzz/corpus/)
import os
import struct

BI_RGB, BI_RLE8, BI_RLE4, BI_BITFIELDS = 0, 1, 2, 3


def info_header(w, h, bpp, comp=BI_RGB, size_image=0, clr_used=0, size=40, masks=()):
    header = struct.pack('<IiiHHIIiiII', size, w, h, 1, bpp, comp, size_image, 2835, 2835, clr_used, 0)
    extra = b''.join(struct.pack('<I', m) for m in masks)
    return (header + extra).ljust(size, b'\0') if size > 40 else header


def core_header(w, h, bpp):
    return struct.pack('<IHHHH', 12, w, h, 1, bpp)


def quads(n):
    return b''.join(bytes(((i * 37) & 255, (255 - i) & 255, (i * 11 + 100) & 255, 0)) for i in range(n))


def triples(n):
    return b''.join(bytes(((i * 37) & 255, (255 - i) & 255, (i * 11 + 100) & 255)) for i in range(n))


def rows(w, h, bpp, seed):
    stride = (w * bpp + 31) // 32 * 4
    return bytes((seed * 31 + i * 7) & 255 for i in range(stride * abs(h)))


# name: (header, colour table or masks after the header, pixels)
DIBS = {
    'pal1_9x3': (info_header(9, 3, 1), quads(2), rows(9, 3, 1, 1)),
    'pal4_5x2_short_table': (info_header(5, 2, 4, clr_used=3), quads(3), bytes([0x01, 0x20, 0x10, 0, 0x22, 0x11, 0x00, 0])),
    'pal8_4x2_top_down': (info_header(4, -2, 8, clr_used=4), quads(4), bytes([0, 1, 2, 3, 3, 2, 1, 0])),
    'rgb16_3x2': (info_header(3, 2, 16), b'', rows(3, 2, 16, 2)),
    'rgb24_3x2': (info_header(3, 2, 24), b'', rows(3, 2, 24, 3)),
    'rgb32_2x2': (info_header(2, 2, 32), b'', rows(2, 2, 32, 4)),
    'rgb24_table_hint': (info_header(2, 1, 24, clr_used=2), quads(2), rows(2, 1, 24, 5)),
    'bitfields_565_3x2': (info_header(3, 2, 16, BI_BITFIELDS), struct.pack('<3I', 0xF800, 0x07E0, 0x001F), rows(3, 2, 16, 6)),
    'bitfields_gaps_2x2': (info_header(2, 2, 16, BI_BITFIELDS), struct.pack('<3I', 0xF000, 0x0780, 0x001E), rows(2, 2, 16, 7)),
    'bitfields_10bit_2x1': (info_header(2, 1, 32, BI_BITFIELDS), struct.pack('<3I', 0x3FF00000, 0x000FFC00, 0x3FF), rows(2, 1, 32, 8)),
    'rle8_escapes': (info_header(6, 4, 8, BI_RLE8, 22, 4), quads(4),
                     bytes([3, 1, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 1, 4, 2, 0, 0, 2, 3, 0, 1])),
    'rle4_odd_literals': (info_header(7, 2, 4, BI_RLE4, 14, 5), quads(5),
                          bytes([1, 0x10, 0, 3, 0x23, 0x40, 0, 0, 5, 0x34, 0, 2, 1, 0])),
    'core_pal8_3x2': (core_header(3, 2, 8), triples(256), rows(3, 2, 8, 9)),
    'core_rgb24_2x2': (core_header(2, 2, 24), b'', rows(2, 2, 24, 10)),
    'v2_rgb32_masks': (info_header(2, 1, 32, BI_BITFIELDS, size=52, masks=(0xFF000000, 0xFF00, 0xFF)), b'', rows(2, 1, 32, 11)),
    'v3_rgb16_alpha': (info_header(2, 1, 16, BI_BITFIELDS, size=56, masks=(0xF00, 0xF0, 0xF, 0xF000)), b'', rows(2, 1, 16, 12)),
    'v4_rgb16_555': (info_header(3, 1, 16, BI_BITFIELDS, size=108, masks=(0x7C00, 0x3E0, 0x1F)), b'', rows(3, 1, 16, 13)),
    'v5_rgb32_top_down': (info_header(2, -2, 32, BI_BITFIELDS, size=124, masks=(0xFF0000, 0xFF00, 0xFF, 0xFF000000)), b'',
                          rows(2, 2, 32, 14)),
    'v5_pal8': (info_header(3, 1, 8, size=124, clr_used=4), quads(4), bytes([0, 1, 3, 0])),
}

# Files only: what a file can hold beyond a packed DIB.
FILES = {
    'os2_short_table': (core_header(3, 2, 4), triples(3), bytes([0x01, 0x20, 0, 0, 0x21, 0x00, 0, 0])),
    'oversize_palette': (info_header(2, 1, 8, clr_used=300), quads(300), bytes([0, 255, 0, 0])),
    'gap_before_bits': (info_header(2, 1, 8, clr_used=2), quads(2) + b'\xee' * 10, bytes([1, 0, 0, 0])),
}


def file_of(header, table, bits):
    off = 14 + len(header) + len(table)
    return struct.pack('<2sIHHI', b'BM', off + len(bits), 0, 0, off) + header + table + bits


def write(target, name, data):
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus', target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)


for i, (name, (header, table, bits)) in enumerate(sorted(DIBS.items())):
    write('dib_validate_fuzz', name, header + table + bits)
    write('dib_format_fuzz', name, bytes([(i * 37) & 255, i]) + header + table + bits)
    write('dib_read_fuzz', name, file_of(header, table, bits))
for name, (header, table, bits) in sorted(FILES.items()):
    write('dib_read_fuzz', name, file_of(header, table, bits))
