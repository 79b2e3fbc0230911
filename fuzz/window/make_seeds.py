#!/usr/bin/env python3
"""Writes small skin packages with stored entries, one control of every kind, into OUT: seeds
the window fuzzer can load quickly and mutate entry by entry. Usage: make_seeds.py OUT"""
import os
import struct
import sys
import zlib


def bmp(width, height, rgb):
    row = bytes(rgb[::-1]) * width
    row += b"\0" * ((-len(row)) % 4)
    data = row * height
    return (struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54) +
            struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 0, 0, 0, 0) +
            data)


def package(entries):
    data, central = bytearray(), bytearray()
    for name, payload in entries:
        name = name.encode()
        crc = zlib.crc32(payload)
        central += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 10, 0, 0, 0, 0x21, crc,
                               len(payload), len(payload), len(name), 0, 0, 0, 0, 0x20,
                               len(data)) + name
        data += struct.pack("<IHHHHHIIIHH", 0x04034B50, 10, 0, 0, 0, 0x21, crc, len(payload),
                            len(payload), len(name), 0) + name + payload
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(entries), len(entries), len(central),
                      len(data), 0)
    return bytes(data + central + end)


INI = """[Screen]
Main=back.bmp
[TRANSPARENT]
COLOR=0xFF00FF
[BUTTONINFO]
1=BUTTON_BROWSE,strip.bmp,2,2,10,6,Browse,F
2=BUTTON_CLOSE,strip.bmp,12,2,20,6,Close,T
[TASKBARBUTTON]
1=TASK_EXIT,strip.bmp,22,2,30,6,Exit,F
[ICON]
ICON=strip.bmp,0,0,4,4
[SLIDERINFO]
1=SLIDER_A,strip.bmp,thumb.bmp,thumb.bmp,2,10,40,14,H,5,tip
[OPTIONINFO]
1=OPTION_A,strip.bmp,2,16,10,20,opt,F,T
[CHECKINFO]
1=CHECK_A,strip.bmp,12,16,20,20,chk,F,F
[CAPTION]
CAPTION=CAPTION,2,22,40,28,Title,Sans,8,0xFFFFFF
[LABELINFO]
1=LABEL_PAGETOTAL,2,30,40,36,0,Sans,8,0x00FF00
[EDITBOXINFO]
1=EDIT_A,2,38,40,44,0xFFFFFF,0x000000,0x808080,TRUE
[LISTBOXINFO]
1=LIST_A,42,2,62,20,0xFFFFFF,0x000000,0x000080,0xFFFFFF,strip.bmp,strip.bmp,strip.bmp,strip.bmp
[COMBOBOXINFO]
1=COMBO_A,42,22,62,30,strip.bmp,0xFFFFFF,0x000000,0x808080,0xFFFFFF,0x000000,0x000080,0xFFFFFF,strip.bmp,strip.bmp,strip.bmp,strip.bmp
[CONTROL]
CONTROL=42,32,62,46
"""

if __name__ == "__main__":
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    back, strip, thumb = bmp(64, 48, (20, 40, 90)), bmp(16, 4, (200, 0, 0)), bmp(4, 4, (0, 200, 0))
    seeds = {
        "all-controls.zip": [("Skin.ini", INI.encode()), ("back.bmp", back),
                             ("strip.bmp", strip), ("thumb.bmp", thumb)],
        "background-only.zip": [("Skin.ini", b"[Screen]\nMain=back.bmp\n"), ("back.bmp", back)],
    }
    for name, entries in seeds.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(package(entries))
