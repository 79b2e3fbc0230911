#!/usr/bin/env python3
"""Writes the three comparison archives into the folder given: bitmaps, small files, text."""
import os
import random
import sys
import zipfile

MIB = 1024 * 1024


def bitmap(rng, width, height):
    # Smooth gradients with a little noise, like scanned or painted skin bitmaps.
    header = b"BM" + bytes(52)
    base = bytes((x * 255 // width) for x in range(width)) * 3
    rows = []
    for y in range(height):
        shift = (y * 7) % (3 * width)
        row = bytearray(base[shift:] + base[:shift])
        for _ in range(width // 16):
            row[rng.randrange(len(row))] = rng.randrange(256)
        rows.append(bytes(row))
    return header + b"".join(rows)


def text_block(rng, size):
    words = ["skin", "button", "label", "slider", "bitmap", "region", "window", "page",
             "insert", "tiff", "the", "of", "and", "a", "to", "is", "for", "with", "colour"]
    words += ["".join(rng.choice("abcdefghijklmnopqrstuvwxyz") for _ in range(rng.randrange(3, 10)))
              for _ in range(2000)]
    lines, total = [], 0
    while total < size:
        line = " ".join(rng.choices(words, k=rng.randrange(6, 16))) + "\n"
        lines.append(line)
        total += len(line)
    return lines


def make_bitmaps(path, rng):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        image, written = 0, 0
        while written < 100 * MIB:
            data = bitmap(rng, 1024, 853)
            archive.writestr("images/skin%03d.bmp" % image, data)
            written += len(data)
            image += 1


def make_small_files(path, rng):
    lines = text_block(rng, MIB)
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        for i in range(20000):
            start = rng.randrange(len(lines) - 60)
            data = "".join(lines[start:start + rng.randrange(5, 60)])
            archive.writestr("folder%03d/file%05d.txt" % (i % 200, i), data)


def make_text(path, rng):
    lines = text_block(rng, MIB)
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        for part in range(10):
            chunk = []
            for _ in range(10):
                rng.shuffle(lines)
                chunk.append("".join(lines))
            archive.writestr("text/part%02d.txt" % part, "".join(chunk)[:10 * MIB])


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    rng = random.Random(20240601)
    for name, make in (("bitmaps.zip", make_bitmaps), ("small-files.zip", make_small_files),
                       ("text.zip", make_text)):
        path = os.path.join(folder, name)
        if not os.path.exists(path):
            make(path, rng)


main()
