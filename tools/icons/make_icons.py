#!/usr/bin/env python3
"""Draws the dialog's icons and prints them as the hexadecimal blocks of the form source.

Each icon is a 16-colour icon file: one 32x32 image (the program icon also has a 16x16 one),
4 bits per pixel with the standard 16-colour palette and an AND mask for transparency.
Run it after changing a drawing and paste the blocks into setup/WendrixSetup.frm.
"""
import struct
import sys

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


def icon_file(images):
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b''
    for rows in images:
        body = image_bytes(rows)
        size = len(rows)
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(body), offset + len(data))
        data += body
    return out + data


def hex_block(data, indent):
    text = data.hex().upper()
    lines = [text[i:i + 64] for i in range(0, len(text), 64)]
    return ('{\n' + '\n'.join(indent + '  ' + line for line in lines) + '}')


def main():
    picture_prefix = bytes([5]) + b'TIcon'
    blocks = {
        'FormIcon': icon_file([globe(32), globe(16)]),
        'Image1': picture_prefix + icon_file([globe(32)]),
        'Image2': picture_prefix + icon_file([server(32)]),
    }
    for name, data in blocks.items():
        sys.stdout.write(f'{name} ({len(data)} bytes)\n{hex_block(data, "    ")}\n')
    if len(sys.argv) > 1:  # also write the program icon as an icon file
        with open(sys.argv[1], 'wb') as f:
            f.write(blocks['FormIcon'])


if __name__ == '__main__':
    main()
