#!/usr/bin/env python3
# Writes the picture seeds of hoard_file_fuzz: resource sections holding pictures of
# bitmap elements (8-bit, 16-bit, run-length coded), shape elements (one stored with
# another schema), null element records, elements stored once and referred to again,
# an object that is not an element, collections in an element's place, and a bitmap
# whose header claims more than its bytes hold. Each seed starts with the byte that
# chooses a memory file (0) or a real file (1).
# Usage: fuzz/make_picture_seeds.py  (from anywhere; writes into fuzz/corpus/hoard_file_fuzz/)
import os
import struct


def word(w):
    return struct.pack('<H', w)


def dword(d):
    return struct.pack('<I', d)


def long(l):
    return struct.pack('<i', l)


def string(s):
    return bytes([len(s)]) + s.encode()


def new_class(name, schema=0):
    return word(0xFFFF) + word(schema) + word(len(name)) + name.encode()


def class_ref(index):
    return word(0x8000 | index)


def rect(l, t, r, b):
    return long(l) + long(t) + long(r) + long(b)


def dib(w, h, bpp, pixels, colors=(), compression=0, claim=None):
    header = struct.pack('<IiiHHIIiiII', 40, claim[0] if claim else w, claim[1] if claim else h, 1, bpp,
                         compression, len(pixels), 0, 0, len(colors), 0)
    return header + b''.join(bytes((b, g, r, 0)) for r, g, b in colors) + pixels


def block(data):
    return dword(len(data)) + dword(len(data)) + data


def dib_elem_payload(data, w, h):
    return block(data) + long(w) + long(h)


def section(types):
    body = dword(2) + dword(len(types))
    for name, objects in types:
        blob = string(name) + word(len(objects)) + b''.join(objects)
        body += dword(4 + len(blob)) + blob
    return body


PALETTE = [(0, 0, 0), (255, 255, 255), (255, 0, 0), (0, 0, 255)]
PIXELS8 = bytes([0, 1, 2, 3, 3, 2, 1, 0, 1, 1, 2, 2])
DIB8 = dib(4, 3, 8, PIXELS8, PALETTE)
DIB16 = dib(3, 2, 16, b''.join(word(v) for v in (0x7C00, 0x03E0, 0x001F, 0, 0x7FFF, 0x1234, 10, 0)))
RLE8 = dib(4, 2, 8, bytes([2, 1, 2, 3, 0, 0, 4, 2, 0, 1]), PALETTE, compression=1)

# Numbering: class CPicture 1, picture "Photo" 2, class CDIBElem 3, its element 4,
# class CDrawPolygonElem 5, its element 6, class CDrawEllipseElem 7, its element 8,
# the 16-bit bitmap element 9, picture "Copy" 10, the run-length coded element 11.
photo = (new_class('CPicture') + string('Photo') + word(5)
         + rect(0, 0, 4, 3) + new_class('CDIBElem') + dib_elem_payload(DIB8, 4, 3)
         + rect(0, 0, 8, 9) + new_class('CDrawPolygonElem', 0xFFFF)
         + rect(2, 2, 6, 6) + word(0)
         + rect(-5, -5, 40, 20) + new_class('CDrawEllipseElem', 5)
         + rect(10, 10, 13, 12) + class_ref(3) + dib_elem_payload(DIB16, 3, 2))
copy = (class_ref(1) + string('Copy') + word(3)
        + rect(0, 0, 4, 3) + word(4)
        + rect(0, 0, 8, 9) + word(6)
        + rect(4, 0, 8, 2) + class_ref(3) + dib_elem_payload(RLE8, 4, 2))
pictures = section([('CPicture', [photo, copy])])

# An object that is not an element (a sound of the fuzz target) inside a picture, and a
# picture whose element refers back to the picture itself.
sound = new_class('CFuzzSound') + string('Bell') + block(b'ding') + dword(0) + word(1) + dword(8000)
foreign = section([('CPicture', [new_class('CPicture') + string('Odd') + word(1) + rect(0, 0, 1, 1) + sound])])
itself = section([('CPicture', [new_class('CPicture') + string('Self') + word(1) + rect(0, 0, 1, 1) + word(2)])])

# Collections in an element's place: an array (4) holding an array (5) that holds a
# sound (7), then a shape (9) and the sound again; the next stub refers to the shape.
collections = section([('CPicture', [new_class('CPicture') + string('Bags') + word(2) + rect(0, 0, 1, 1)
                                     + new_class('CObArray') + word(3)
                                     + class_ref(3) + word(1) + sound
                                     + new_class('CDrawEllipseElem', 5) + word(7)
                                     + rect(0, 0, 8, 9) + word(9)])])

# A bitmap whose header claims 1000x1000 pixels in a few bytes, beside a good picture.
lying = section([('CPicture', [new_class('CPicture') + string('Liar') + word(1) + rect(0, 0, 4, 3)
                               + new_class('CDIBElem') + dib_elem_payload(dib(4, 3, 8, PIXELS8, PALETTE, claim=(1000, 1000)), 4, 3),
                               class_ref(1) + string('Fine') + word(1) + rect(0, 0, 4, 3) + class_ref(3)
                               + dib_elem_payload(DIB8, 4, 3)])])

if __name__ == '__main__':
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus', 'hoard_file_fuzz')
    seeds = {
        'pictures_memory': b'\x00' + pictures,
        'pictures_file': b'\x01' + pictures,
        'picture_foreign_object': b'\x00' + foreign,
        'picture_refers_to_itself': b'\x00' + itself,
        'picture_collections_memory': b'\x00' + collections,
        'picture_lying_bitmap_file': b'\x01' + lying,
    }
    for name, data in seeds.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)
