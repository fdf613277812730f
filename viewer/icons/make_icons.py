#!/usr/bin/env python3
"""Draws the viewer's pictures and writes the files committed beside this script.

  0.png, 1.png, 2.png   the kind pictures: 32x32, 8-bit RGBA, black on transparent
                        (a folder outline, a stack of text lines, a light bulb)
  VeldViewer.zip        the icon archive the program carries: the three pictures, stored (method 0)
  VeldViewer.ico        the program's own icon, 16/32/48 pixels, 32-bit with alpha

Only the standard library is used, and the output is the same on every run:
    python3 viewer/icons/make_icons.py
"""
import math
import os
import struct
import zipfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = 4  # per axis, for smooth edges


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    cx, cy = ax + t * dx, ay + t * dy
    return math.hypot(px - cx, py - cy)


def polyline(points, half_width):
    segs = list(zip(points, points[1:]))
    return lambda x, y: any(seg_dist(x, y, a[0], a[1], b[0], b[1]) <= half_width for a, b in segs)


def arc(cx, cy, r, start_deg, end_deg, half_width):
    def inside(x, y):
        if abs(math.hypot(x - cx, y - cy) - r) > half_width:
            return False
        ang = math.degrees(math.atan2(y - cy, x - cx)) % 360
        s, e = start_deg % 360, end_deg % 360
        return s <= ang <= e if s <= e else (ang >= s or ang <= e)
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def coverage(shape, size, scale):
    """Alpha (0-255) per pixel: the share of samples inside the shape, drawn on a 32-unit grid."""
    out = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) * scale
                    y = (py + (sy + 0.5) / SAMPLES) * scale
                    hits += shape(x, y)
            row.append(round(255 * hits / (SAMPLES * SAMPLES)))
        out.append(row)
    return out


# --- the kind pictures (coordinates on a 32 by 32 grid) ---------------------------------------
FOLDER = union(
    polyline([(3.5, 26.5), (3.5, 6.5), (12.5, 6.5), (15.5, 9.5), (28.5, 9.5), (28.5, 26.5), (3.5, 26.5)], 1.0),
    polyline([(3.5, 13.0), (28.5, 13.0)], 1.0),
)

TEXT_LINES = union(*[polyline([(5.0, y), (x1, y)], 1.25)
                     for y, x1 in ((7.0, 27.0), (12.0, 22.0), (17.0, 27.0), (22.0, 24.0), (27.0, 17.0))])

_R, _CX, _CY = 8.5, 16.0, 12.5
_L = (_CX + _R * math.cos(math.radians(130)), _CY + _R * math.sin(math.radians(130)))
_RT = (_CX + _R * math.cos(math.radians(50)), _CY + _R * math.sin(math.radians(50)))
BULB = union(
    arc(_CX, _CY, _R, 130, 50, 1.0),  # the glass, open at the bottom
    polyline([_L, (12.5, 23.0)], 1.0),
    polyline([_RT, (19.5, 23.0)], 1.0),
    polyline([(12.0, 23.0), (20.0, 23.0)], 1.0),
    polyline([(12.5, 26.0), (19.5, 26.0)], 1.0),
    polyline([(14.0, 29.0), (18.0, 29.0)], 1.0),
    polyline([(13.0, 16.5), (14.5, 13.0), (16.0, 16.5), (17.5, 13.0), (19.0, 16.5)], 0.7),  # filament
)


def black_picture(shape):
    alpha = coverage(shape, 32, 1.0)
    return [[(0, 0, 0, a) for a in row] for row in alpha]


# --- the program icon: a page with a blue band and a small topic tree --------------------------
def program_icon(size):
    scale = 32.0 / size
    layers = [  # painted in order: (shape, colour)
        (lambda x, y: 4 <= x <= 28 and 2 <= y <= 30, (40, 70, 140)),          # page border
        (lambda x, y: 5.5 <= x <= 26.5 and 3.5 <= y <= 28.5, (255, 253, 236)),  # paper
        (lambda x, y: 5.5 <= x <= 26.5 and 3.5 <= y <= 9, (60, 110, 200)),     # title band
        (polyline([(9, 13), (9, 25), (13, 25)], 0.9), (40, 70, 140)),           # tree lines
        (polyline([(9, 19), (13, 19)], 0.9), (40, 70, 140)),
        (polyline([(9, 13), (22, 13)], 1.1), (30, 30, 30)),                     # topic titles
        (polyline([(15, 19), (23, 19)], 1.1), (30, 30, 30)),
        (polyline([(15, 25), (21, 25)], 1.1), (30, 30, 30)),
    ]
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) * scale
                    y = (py + (sy + 0.5) / SAMPLES) * scale
                    colour = None
                    for shape, c in layers:
                        if shape(x, y):
                            colour = c
                    if colour is not None:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1
            n = SAMPLES * SAMPLES
            if acc[3]:
                row.append((round(acc[0] / acc[3]), round(acc[1] / acc[3]), round(acc[2] / acc[3]),
                            round(255 * acc[3] / n)))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


# --- file formats -------------------------------------------------------------------------------
def png_bytes(pixels):
    height, width = len(pixels), len(pixels[0])

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in pixels)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def ico_bytes(images):
    """32-bit BMP entries (bottom-up BGRA, then the 1-bit mask), as every Windows version reads."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for pixels in images:
        size = len(pixels)
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        colour = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
        mask_row_bytes = ((size + 31) // 32) * 4
        mask = b""
        for row in reversed(pixels):
            bits = 0
            row_bytes = bytearray(mask_row_bytes)
            for x, (_, _, _, a) in enumerate(row):
                if a == 0:
                    row_bytes[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(row_bytes)
        blob = header + colour + mask
        entries.append(struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


def main():
    pictures = {"0.png": black_picture(FOLDER), "1.png": black_picture(TEXT_LINES), "2.png": black_picture(BULB)}
    encoded = {name: png_bytes(p) for name, p in pictures.items()}
    for name, data in encoded.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)
    with zipfile.ZipFile(os.path.join(HERE, "VeldViewer.zip"), "w", zipfile.ZIP_STORED) as z:
        for name in ("0.png", "1.png", "2.png"):
            info = zipfile.ZipInfo(name, date_time=(2024, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_STORED
            info.create_system = 0
            info.external_attr = 0
            z.writestr(info, encoded[name])
    with open(os.path.join(HERE, "VeldViewer.ico"), "wb") as f:
        f.write(ico_bytes([program_icon(16), program_icon(32), program_icon(48)]))


if __name__ == "__main__":
    main()
