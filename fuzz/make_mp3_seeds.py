#!/usr/bin/env python3
# Writes the seed corpus of mp3_frames_fuzz: short runs of silent MPEG audio frames (a
# header, then zeros: side information of zero means no samples coded, which decodes to
# silence) of each version and layer, with and without an ID3v2 tag before them and an
# ID3v1 tag after them, and one frame cut short.
# Usage: fuzz/make_mp3_seeds.py  (from anywhere; writes into fuzz/corpus/mp3_frames_fuzz)
import os


def frames(header, length, count):
    out = b''
    for i in range(count):
        out += header + b'\0' * (length - 4)
    return out


def id3v2(payload):
    size = len(payload)
    syncsafe = bytes([(size >> 21) & 0x7f, (size >> 14) & 0x7f, (size >> 7) & 0x7f, size & 0x7f])
    return b'ID3\x03\x00\x00' + syncsafe + payload


SEEDS = {
    # MPEG-1 layer III, 128 kbit/s, 44.1 kHz, joint stereo: 417 bytes a frame
    'mpeg1_layer3_stereo': frames(b'\xff\xfb\x90\x40', 417, 3),
    # MPEG-1 layer III, 32 kbit/s, 48 kHz, mono: 96 bytes a frame
    'mpeg1_layer3_mono': frames(b'\xff\xfb\x14\xc0', 96, 3),
    # MPEG-2 layer III, 64 kbit/s, 22.05 kHz, mono: 208 bytes a frame
    'mpeg2_layer3': frames(b'\xff\xf3\x80\xc0', 208, 3),
    # MPEG-2.5 layer III, 8 kbit/s, 8 kHz, mono: 72 bytes a frame
    'mpeg25_layer3': frames(b'\xff\xe3\x18\xc0', 72, 3),
    # MPEG-1 layer II, 128 kbit/s, 44.1 kHz: 417 bytes a frame
    'mpeg1_layer2': frames(b'\xff\xfd\x80\x00', 417, 2),
    # MPEG-1 layer I, 32 kbit/s, 32 kHz: 48 bytes a frame
    'mpeg1_layer1': frames(b'\xff\xff\x18\x00', 48, 2),
    'id3v2_then_frames': id3v2(b'TIT2\x00\x00\x00\x05\x00\x00\x00tune') + frames(b'\xff\xfb\x90\x40', 417, 2),
    'frames_then_id3v1': frames(b'\xff\xfb\x14\xc0', 96, 2) + b'TAG' + b'\0' * 125,
    'cut_short': frames(b'\xff\xfb\x90\x40', 417, 2)[:600],
    'junk_then_frames': b'\x00\xff\xe0junk' + frames(b'\xff\xfb\x14\xc0', 96, 2),
}

folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus', 'mp3_frames_fuzz')
os.makedirs(folder, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)
