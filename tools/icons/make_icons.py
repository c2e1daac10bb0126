#!/usr/bin/env python3
"""Draws the dialog's icons and prints them as the hexadecimal blocks of the form source.

    tools/icons/make_icons.py [setup/WendrixSetup.ico [preview.png]]

Each icon is a 16-colour icon file: one 32x32 image (the program icon also has a 16x16 one),
4 bits per pixel with the standard 16-colour palette and an AND mask for transparency.
Run it after changing a drawing and paste the blocks into setup/WendrixSetup.frm.

With a path, it also writes the program's icon file: the form's icon, byte for byte, with the
sizes Windows asks for at 120 to 192 DPI (20, 24, 40, 48 and 64 pixels) drawn from the same
globe in 32-bit colour with smoothed edges; and with a second path, those drawings side by side
as a PNG to look at.
"""
import math
import struct
import sys
import zlib

PALETTE = [  # the standard 16 colours, as (red, green, blue)
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
# Characters of the drawings: '.' is transparent, the others name palette entries.
KEYS = {'k': 0, 'r': 1, 'g': 2, 'o': 3, 'n': 4, 'p': 5, 't': 6, 's': 7, 'd': 8, 'R': 9,
        'G': 10, 'Y': 11, 'B': 12, 'M': 13, 'C': 14, 'W': 15}


def globe(size):
    """A blue globe with a green land mass and a yellow 'W' banner: the program icon."""
    rows = []
    c = (size - 1) / 2
    r = size / 2 - 1
    for y in range(size):
        row = ''
        for x in range(size):
            dx, dy = x - c, y - c
            d = (dx * dx + dy * dy) ** 0.5
            if d > r + 0.5:
                row += '.'
            elif d > r - 0.9:
                row += 'n'
            elif (dx + dy * 0.6) ** 2 + (dy - dx * 0.3) ** 2 < (r * 0.45) ** 2 and dx < r * 0.3:
                row += 'g'
            elif abs(dx) < 0.9 or abs(dy) < 0.9:
                row += 'C'
            else:
                row += 'B'
        rows.append(row)
    # The banner: a yellow band across the lower half with a black W.
    top = size * 5 // 8
    height = max(4, size // 4)
    for y in range(top, min(size, top + height)):
        rows[y] = ''.join('Y' if rows[y][x] != '.' or 1 <= x < size - 1 else '.'
                          for x in range(size))
    w_cols = range(size // 4, size - size // 4)
    for i, x in enumerate(w_cols):
        phase = i % (len(w_cols) // 2 or 1)
        depth = abs(phase - len(w_cols) // 4)
        y = top + height - 2 - (depth * (height - 3)) // max(1, len(w_cols) // 4)
        y = max(top + 1, min(top + height - 2, y))
        rows[y] = rows[y][:x] + 'k' + rows[y][x + 1:]
    return rows


def server(size):
    """A grey server cabinet with green and red lights and a feather-shaped quill beside it."""
    rows = [['.'] * size for _ in range(size)]
    for y in range(2, size - 2):
        for x in range(4, size * 5 // 8):
            edge = y in (2, size - 3) or x in (4, size * 5 // 8 - 1)
            rows[y][x] = 'k' if edge else 's'
    for unit in range(4):
        y = 5 + unit * 6
        for x in range(6, size * 5 // 8 - 2):
            rows[y][x] = 'd'
            rows[y + 2][x] = 'W' if x % 3 else 'd'
        rows[y + 1][7] = 'G'
        rows[y + 1][9] = 'R' if unit == 1 else 'g'
    # The quill: a diagonal band of purple and red.
    for i in range(size - 6):
        x = size - 4 - i // 3
        y = 3 + i
        for dx, key in ((-1, 'p'), (0, 'M'), (1, 'r')):
            if 0 <= x + dx < size and y < size - 2:
                rows[y][x + dx] = key
    return [''.join(r) for r in rows]


def image_bytes(rows):
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for x in range(0, size, 2):
            hi = KEYS.get(row[x], 0)
            lo = KEYS.get(row[x + 1], 0)
            line.append(hi << 4 | lo)
        while len(line) % 4:
            line.append(0)
        xor += line
        bits = bytearray()
        for x in range(0, size, 8):
            byte = 0
            for b in range(8):
                if row[x + b] == '.':
                    byte |= 0x80 >> b
            bits.append(byte)
        while len(bits) % 4:
            bits.append(0)
        mask += bits
    return header + palette + bytes(xor) + bytes(mask)


def icon_directory(images):
    """An icon file of (size, colours, bits a pixel, image bytes) images."""
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b''
    for size, colours, bits, body in images:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, colours, 0, 1, bits, len(body),
                           offset + len(data))
        data += body
    return out + data


def icon_file(images):
    return icon_directory([(len(rows), 16, 4, image_bytes(rows)) for rows in images])


# The globe of globe(32) on its 32-unit grid, (0, 0) at the top left corner, for smooth drawings.
NAVY, BLUE, CYAN = PALETTE[4], PALETTE[12], PALETTE[14]
GREEN, YELLOW, BLACK = PALETTE[2], PALETTE[11], PALETTE[0]
LAND = [(15, 10), (20, 10), (20, 20), (10, 20), (9, 16)]
LETTER = [(8.5, 21.5), (12.5, 26.5), (16.5, 21.5), (20.5, 26.5), (24.5, 21.5)]
SMOOTH_SIZES = [20, 24, 40, 48, 64]
SUBSAMPLES = 8  # per pixel and axis


def inside_polygon(x, y, points):
    inside = False
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def near_polyline(x, y, points, reach):
    for (x1, y1), (x2, y2) in zip(points, points[1:]):
        dx, dy = x2 - x1, y2 - y1
        t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
        if math.hypot(x - x1 - t * dx, y - y1 - t * dy) <= reach:
            return True
    return False


def globe_colour(x, y):
    """The globe's colour at a point of the 32-unit grid, or None outside it."""
    if 1 <= x <= 31 and 20 <= y <= 28:
        return BLACK if near_polyline(x, y, LETTER, 0.6) else YELLOW
    radius = math.hypot(x - 16, y - 16)
    if radius > 15:
        return None
    if radius > 13.9:
        return NAVY
    if inside_polygon(x, y, LAND):
        return GREEN
    return CYAN if 15 <= x <= 17 or 15 <= y <= 17 else BLUE


def smooth_globe(size):
    """Rows of (blue, green, red, alpha) from the top, each pixel the mean of its subsamples."""
    unit = 32 / size / SUBSAMPLES
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            colours = [globe_colour((px * SUBSAMPLES + sx + 0.5) * unit,
                                    (py * SUBSAMPLES + sy + 0.5) * unit)
                       for sy in range(SUBSAMPLES) for sx in range(SUBSAMPLES)]
            covered = [c for c in colours if c]
            if not covered:
                row.append((0, 0, 0, 0))
                continue
            r, g, b = (round(sum(c[i] for c in covered) / len(covered)) for i in range(3))
            row.append((b, g, r, round(255 * len(covered) / len(colours))))
        rows.append(row)
    return rows


def smooth_image_bytes(rows):
    """A 32-bit image as an icon file holds it: header, pixels from the bottom row, mask."""
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes(c for pixel in row for c in pixel) for row in reversed(rows))
    mask = b''
    for row in reversed(rows):
        bits = bytearray((size + 31) // 32 * 4)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + pixels + mask


def program_icon(drawings, smooth):
    """The form's 16-colour drawings and the smooth ones in one icon file, in order of size."""
    images = [(len(rows), 16, 4, image_bytes(rows)) for rows in drawings]
    images += [(len(rows), 0, 32, smooth_image_bytes(rows)) for rows in smooth]
    return icon_directory(sorted(images, key=lambda image: image[0]))


def write_png(path, drawings):
    """The drawings side by side on a grey ground."""
    width = sum(len(rows) + 8 for rows in drawings)
    height = max(len(rows) for rows in drawings)
    canvas = [[(192, 192, 192)] * width for _ in range(height)]
    left = 0
    for rows in drawings:
        for y, row in enumerate(rows):
            for x, (b, g, r, a) in enumerate(row):
                canvas[y][left + x] = tuple(round((c * a + 192 * (255 - a)) / 255)
                                            for c in (r, g, b))
        left += len(rows) + 8
    raw = b''.join(b'\0' + bytes(c for pixel in row for c in pixel) for row in canvas)

    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data +
                struct.pack('>I', zlib.crc32(kind + data)))

    with open(path, 'wb') as out:
        out.write(b'\x89PNG\r\n\x1a\n' +
                  chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)) +
                  chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def hex_block(data, indent):
    text = data.hex().upper()
    lines = [text[i:i + 64] for i in range(0, len(text), 64)]
    return ('{\n' + '\n'.join(indent + '  ' + line for line in lines) + '}')


def main():
    picture_prefix = bytes([5]) + b'TIcon'
    form_drawings = [globe(32), globe(16)]
    blocks = {
        'FormIcon': icon_file(form_drawings),
        'Image1': picture_prefix + icon_file([globe(32)]),
        'Image2': picture_prefix + icon_file([server(32)]),
    }
    for name, data in blocks.items():
        sys.stdout.write(f'{name} ({len(data)} bytes)\n{hex_block(data, "    ")}\n')
    if len(sys.argv) > 1:
        smooth = [smooth_globe(size) for size in SMOOTH_SIZES]
        with open(sys.argv[1], 'wb') as f:
            f.write(program_icon(form_drawings, smooth))
        if len(sys.argv) > 2:
            write_png(sys.argv[2], smooth)


if __name__ == '__main__':
    main()
