#!/usr/bin/env python3
"""Writes the menu icon of the Linux package in the sizes of the hicolor
theme, from the program's own 32 x 32 chick (the call point's icon, drawn by
src/platform/win32/resources/make_icons.py), each pixel scaled as a block so
that the pixel art stays sharp. Run it again after changing the drawing; the
PNG files are kept in the repository beside this script."""

import importlib.util
import pathlib
import struct
import zlib

HERE = pathlib.Path(__file__).resolve().parent
SIZES = (16, 24, 32, 48, 64, 128, 256)


def load_drawings():
    source = HERE.parent.parent / "src/platform/win32/resources/make_icons.py"
    found = importlib.util.spec_from_file_location("windows_icons", source)
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


def png_bytes(rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    size = len(rows)
    raw = b"".join(b"\0" + bytes(value for pixel in row for value in pixel) for row in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def scaled(module, canvas, size):
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            colour = canvas.pixels[y * module.SIZE // size][x * module.SIZE // size]
            row.append((0, 0, 0, 0) if colour is None else (*module.PALETTE[colour], 255))
        rows.append(row)
    return rows


def main():
    module = load_drawings()
    chick = module.chick()
    for size in SIZES:
        folder = HERE / "icons" / f"{size}x{size}"
        folder.mkdir(parents=True, exist_ok=True)
        (folder / "hiyokorapper.png").write_bytes(png_bytes(scaled(module, chick, size)))


if __name__ == "__main__":
    main()
