#!/usr/bin/env python3
"""Writes the hostile skin packages into OUT: one per limit a package must stay within.
Usage: make_hostile.py OUT"""
import os
import struct
import sys
import zlib

WIDTH, HEIGHT = 983, 785


def bmp(width, height, bits, pixels=b"", claimed_height=None, palette=None):
    """A bottom-up BMP; `pixels` is padded with zeros to the rows the header claims."""
    row = (width * bits + 31) // 32 * 4
    colours = palette if palette is not None else (
        b"".join(struct.pack("<I", c) for c in (0x000000, 0xFFFFFF)) if bits == 1 else b"")
    offset = 14 + 40 + len(colours)
    data = pixels if claimed_height is not None else pixels.ljust(row * height, b"\0")
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, claimed_height or height, 1, bits, 0,
                       len(data), 2835, 2835, len(colours) // 4, 0)
    return header + info + colours + data


def solid(width, height, rgb):
    row = bytes(rgb[::-1]) * width
    row += b"\0" * ((-len(row)) % 4)
    return bmp(width, height, 24, row * height)


def deflate(chunks):
    z = zlib.compressobj(9, zlib.DEFLATED, -15)
    out, crc, size = [], 0, 0
    for chunk in chunks:
        crc = zlib.crc32(chunk, crc)
        size += len(chunk)
        out.append(z.compress(chunk))
    out.append(z.flush())
    return b"".join(out), crc, size


class Zip:
    def __init__(self):
        self.data = bytearray()
        self.central = bytearray()
        self.count = 0

    def add(self, name, payload=b"", chunks=None, declared=None):
        name = name.encode() if isinstance(name, str) else name
        packed, crc, size = deflate(chunks if chunks is not None else [payload])
        size = declared if declared is not None else size
        offset = len(self.data)
        self.data += struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, 0, 8, 0, 0x21, crc,
                                 len(packed), size, len(name), 0) + name + packed
        self.record(name, crc, len(packed), size, offset)

    def record(self, name, crc, packed, size, offset):
        self.central += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, 0, 8, 0, 0x21,
                                    crc, packed, size, len(name), 0, 0, 0, 0, 0x20,
                                    offset) + name
        self.count += 1

    def write(self, path):
        end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, self.count & 0xFFFF,
                          self.count & 0xFFFF, len(self.central), len(self.data), 0)
        with open(path, "wb") as f:
            f.write(self.data + self.central + end)


INI_HEAD = "[Screen]\nMain=back.bmp\n[TRANSPARENT]\nCOLOR=0xFF00FF\n"
BUTTONS = ("[BUTTONINFO]\n1=BUTTON_BROWSE,button.bmp,10,10,90,30,Browse,F\n"
           "2=BUTTON_CLOSE,button.bmp,100,10,180,30,Close,F\n")


def base(ini=INI_HEAD + BUTTONS):
    z = Zip()
    z.add("Skin.ini", ini.encode())
    z.add("back.bmp", solid(WIDTH, HEIGHT, (40, 60, 120)))
    z.add("button.bmp", solid(320, 20, (200, 200, 0)))
    return z


def zeros(total, chunk=1 << 20):
    while total > 0:
        yield b"\0" * min(chunk, total)
        total -= chunk


def bomb():
    z = base()
    z.add("filler.bin", chunks=zeros(3 << 30))
    return z


def lying_bomb():
    z = base()
    z.add("filler.bin", chunks=zeros(200 << 20), declared=1 << 20)
    return z


def overlapping():
    z = base()
    offset = len(z.data)
    z.add("filler.bin", chunks=zeros(16 << 20))
    record = z.central[-(46 + len(b"filler.bin")):]
    crc, packed, size = struct.unpack_from("<III", record, 16)
    for i in range(1, 1000):
        z.record(f"copy{i}.bin".encode(), crc, packed, size, offset)
    return z


def long_names():
    z = base()
    for i in range(200):
        z.add(f"{i:05d}".encode() + b"n" * 60000, b"x")
    return z


def many_entries():
    z = base()
    for i in range(5000):
        z.add(f"e{i}.txt", b"")
    return z


def deep():
    z = base()
    z.add("/".join(["d"] * 40) + "/leaf.txt", b"x")
    return z


def many_buttons():
    lines = [f"{i}=BUTTON_{i},button.bmp,{i % 900},{i % 700},{i % 900 + 80},{i % 700 + 60},t,F"
             for i in range(1, 5001)]
    return base(INI_HEAD + "[BUTTONINFO]\n" + "\n".join(lines) + "\n")


def huge_strip():
    z = base(INI_HEAD + "[BUTTONINFO]\n1=BUTTON_BROWSE,strip.bmp,0,0,983,785,t,F\n")
    z.add("strip.bmp", bmp(32000, 2000, 1))
    return z


def big_frames():
    lines = [f"{i}=BUTTON_{i},big.bmp,0,0,983,785,t,F" for i in range(1, 1025)]
    z = base(INI_HEAD + "[BUTTONINFO]\n" + "\n".join(lines) + "\n")
    z.add("big.bmp", bmp(8192, 8192, 1))
    return z


def lying_bitmap():
    z = base(INI_HEAD + "[BUTTONINFO]\n1=BUTTON_BROWSE,lie.bmp,0,0,80,20,t,F\n")
    z.add("lie.bmp", bmp(8192, 8192, 24, b"\0" * 64, claimed_height=8192))
    return z


def unnumbered_keys():
    lines = [f"k{i}=BUTTON_{i},button.bmp,0,0,80,20,t,F" for i in range(8000)]
    return base(INI_HEAD + "[BUTTONINFO]\n" + "\n".join(lines) + "\n")


def big_ini():
    return base(INI_HEAD + BUTTONS + "; " + "x" * (2 << 20) + "\n")


def saturated():
    big = "99999999999999999999"
    lines = [f"{i}=BUTTON_{i},button.bmp,-{big},-{big},{big},{big},t,F" for i in range(1, 5)]
    label = f"[LABELINFO]\n1=LABEL_PAGETOTAL,-{big},-{big},{big},{big},x,Sans,{big},0xFFFFFF\n"
    return base(INI_HEAD + "[BUTTONINFO]\n" + "\n".join(lines) + "\n" + label +
                f"[CONTROL]\nCONTROL=-{big},-{big},{big},{big}\n")


def checkered():
    z = Zip()
    z.add("Skin.ini", (INI_HEAD + BUTTONS).encode())
    magenta, blue = bytes((255, 0, 255)), bytes((120, 60, 40))
    rows = []
    for y in range(HEIGHT):
        row = b"".join(magenta if (x + y) % 2 else blue for x in range(WIDTH))
        rows.append(row + b"\0" * ((-len(row)) % 4))
    z.add("back.bmp", bmp(WIDTH, HEIGHT, 24, b"".join(rows)))
    z.add("button.bmp", solid(320, 20, (200, 200, 0)))
    return z


PACKAGES = {
    "bomb-3GiB": bomb, "lying-size": lying_bomb, "overlapping": overlapping,
    "long-names": long_names, "5000-entries": many_entries, "40-levels": deep,
    "5000-buttons": many_buttons, "huge-strip": huge_strip, "big-frames": big_frames,
    "lying-bitmap": lying_bitmap, "8000-keys": unnumbered_keys, "2MiB-ini": big_ini,
    "saturated": saturated, "checkered": checkered,
}

if __name__ == "__main__":
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, make in PACKAGES.items():
        path = os.path.join(out, name + ".zip")
        if not os.path.exists(path):
            make().write(path)
