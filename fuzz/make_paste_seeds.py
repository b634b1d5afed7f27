#!/usr/bin/env python3
# Writes the seeds of paste_fuzz: clipboard streams of sounds and pictures whose names
# clash with the hoard's own (Bell, Horn, Sun) or not, answered Yes, No or Cancel, with
# or without a descriptor, a descriptor without resources, a stream cut short and a
# stream that lists one resource twice. Each seed is the byte of the answer and the
# streams there are, the descriptor's length in two bytes, the descriptor and the
# resource stream.
# Usage: fuzz/make_paste_seeds.py  (from anywhere; writes into fuzz/corpus/paste_fuzz/)
import os

from make_picture_seeds import DIB8, block, copy, dib_elem_payload, dword, new_class, photo, rect, string, word

YES, NO, CANCEL = 0, 1, 2
DESCRIPTOR, NO_RESOURCES = 4, 8


def descriptor(type_name, names):
    return string(type_name) + word(len(names)) + b''.join(string(n) for n in names)


def seed(flags, desc, resources):
    return bytes([flags]) + word(len(desc)) + desc + resources


def sound(name, samples, rate, first=True):
    head = new_class('CPasteSound') if first else word(0x8001)
    return head + string(name) + block(samples) + dword(rate)


bell_horn = word(2) + sound('Bell', b'new bell', 8000) + sound('Horn', b'new horn', 8000, first=False)
bell_horn_descriptor = descriptor('CPasteSound', ['Bell', 'Horn'])
sun = (new_class('CPicture') + string('Sun') + word(1) + rect(0, 0, 4, 3) + new_class('CDIBElem')
       + dib_elem_payload(DIB8, 4, 3))

folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus', 'paste_fuzz')
os.makedirs(folder, exist_ok=True)
seeds = {
    'sounds_replaced': seed(YES | DESCRIPTOR, bell_horn_descriptor, bell_horn),
    'sounds_renamed': seed(NO | DESCRIPTOR, bell_horn_descriptor, bell_horn),
    'sounds_cancelled': seed(CANCEL | DESCRIPTOR, bell_horn_descriptor, bell_horn),
    'sounds_without_descriptor': seed(YES, b'', bell_horn),
    'descriptor_without_resources': seed(YES | DESCRIPTOR | NO_RESOURCES, bell_horn_descriptor, b''),
    'sounds_cut_short': seed(YES | DESCRIPTOR, bell_horn_descriptor, bell_horn[:-7]),
    'sound_listed_twice': seed(YES | DESCRIPTOR, descriptor('CPasteSound', ['Bell', 'Bell']),
                               word(2) + sound('Bell', b'twice', 8000) + word(2)),
    'picture_replaced': seed(YES | DESCRIPTOR, descriptor('CPicture', ['Sun']), word(1) + sun),
    'pictures_added': seed(NO | DESCRIPTOR, descriptor('CPicture', ['Photo', 'Copy']), word(2) + photo + copy),
}
for name, data in seeds.items():
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)
