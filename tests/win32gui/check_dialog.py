#!/usr/bin/env python3
"""Checks a screenshot of the setup dialog against its design geometry.

    check_dialog.py SCREENSHOT.png CLIENT_X CLIENT_Y CLIENT_WIDTH CLIENT_HEIGHT [TABS [DPI]]
    check_dialog.py --page SCREENSHOT.png CLIENT_X CLIENT_Y CLIENT_WIDTH CLIENT_HEIGHT PAGE
    check_dialog.py --mirrored SCREENSHOT.png CLIENT_X CLIENT_Y CLIENT_WIDTH CLIENT_HEIGHT [TABS [DPI]]

CLIENT_* is the dialog's client area on screen (the X window of an undecorated top-level
window); TABS is the number of tabs the page control shows (1 when omitted), with the first
page showing; DPI the display's (96 when omitted), at which every design length is scaled by
DPI/96, rounded as the program rounds it. Every position below is in client coordinates, as the
form gives them; a few pixels of slack absorb the differences between window systems' 3D edges
and tab heights. The window stands at its design position when it fits the screen there, and
is otherwise moved just far enough onto it. Prints the figures it measured and exits non-zero
when one is off. With --page it checks only which page (1 or 2) shows. With --mirrored the
dialog is a right-to-left one, laid out as the mirror image of the design: every design position
is measured from the client area's right edge.
"""

import struct
import sys
import zlib

SLACK = 3
DPI = 96


def S(length):
    """A design length at the display's DPI, rounded half away from zero (MulDiv)."""
    scaled = abs(length) * DPI / 96
    return int(scaled + 0.5) * (1 if length >= 0 else -1)


def read_png(path):
    """Decodes an 8-bit PNG into (width, height, rows of (r, g, b) tuples)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos, idat, palette = 8, b"", None
    width = height = depth = ctype = 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or interlace:
                raise ValueError("only 8-bit non-interlaced PNG files are read")
        elif kind == b"PLTE":
            palette = [tuple(body[i:i + 3]) for i in range(0, len(body), 3)]
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[ctype]
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous, at = [], bytearray(stride), 0
    for _ in range(height):
        kind = raw[at]
        line = bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                pred = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                line[i] = (line[i] + pred) & 255
        previous = line
        if ctype == 3:
            rows.append([palette[v] for v in line])
        elif ctype in (0, 4):
            rows.append([(line[i],) * 3 for i in range(0, stride, channels)])
        else:
            rows.append([tuple(line[i:i + 3]) for i in range(0, stride, channels)])
    return width, height, rows


class Client:
    """The screenshot seen through the dialog's client coordinates."""

    def __init__(self, rows, x, y, width, height, mirrored=False):
        self.rows, self.x, self.y, self.width, self.height = rows, x, y, width, height
        self.mirrored = mirrored
        self.face = self.at(2, 2)

    def at(self, x, y):
        if self.mirrored:
            x = self.width - 1 - x
        return self.rows[self.y + y][self.x + x]

    def marked(self, x, y):
        """Whether the pixel is not the dialog's background colour."""
        return self.at(x, y) != self.face

    def first_marked(self, points):
        for i, (x, y) in enumerate(points):
            if 0 <= x < self.width and 0 <= y < self.height and self.marked(x, y):
                return i
        return None


failures = []
figures = []


def expect(what, measured, design, slack=SLACK):
    ok = measured is not None and abs(measured - design) <= slack
    figures.append(f"{what}: {measured} (design {design})")
    if not ok:
        failures.append(f"{what} is {measured}, the design says {design} (+-{slack})")


def edge_from(client, what, design, start, step, fixed, horizontal):
    """Finds the first non-background pixel scanning from `start` by `step` along a row
    (horizontal) or a column, and expects it at `design`."""
    points = []
    pos = start
    for _ in range(4 * SLACK + 8):
        points.append((pos, fixed) if horizontal else (fixed, pos))
        pos += step
    i = client.first_marked(points)
    expect(what, None if i is None else start + i * step, design)


def check_button(client, name, left, top, width, height):
    left, top, right, bottom = S(left), S(top), S(left + width) - 1, S(top + height) - 1
    mid_y, mid_x = (top + bottom) // 2, left + 8
    # Buttons stand 5 pixels apart: start the scans close to them.
    edge_from(client, f"{name} left", left, left - 2, 1, mid_y, True)
    edge_from(client, f"{name} right", right, right + 2, -1, mid_y, True)
    edge_from(client, f"{name} top", top, top - 2 * SLACK, 1, mid_x, False)
    edge_from(client, f"{name} bottom", bottom, bottom + 2 * SLACK, -1, mid_x, False)


def bounding_box(client, colour):
    xs, ys = [], []
    for y in range(client.height):
        for x in range(client.width):
            if client.at(x, y) == colour:
                xs.append(x)
                ys.append(y)
    if not xs:
        return None
    return min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1


def check_position(what, start, length, design, screen, frame):
    """Kept at the design position (the frame's width inside it) when the window fits the
    screen there; otherwise moved just far enough to fit."""
    figures.append(f"client {what} {start}..{start + length} on a screen of {screen}")
    if 0 <= start - design <= frame and start + length <= screen:
        return
    if start < design and 0 <= screen - (start + length) <= S(8):
        return
    failures.append(f"the client {what} {start}..{start + length} is neither at the design "
                    f"position {design} nor just moved onto the screen of {screen}")


YELLOW = (255, 255, 204)


def main(argv):
    global DPI
    page_only = argv[1] == "--page"
    mirrored = argv[1] == "--mirrored"
    if page_only or mirrored:
        argv = argv[1:]
    path = argv[1]
    cx, cy, cw, ch = (int(v) for v in argv[2:6])
    tabs = int(argv[6]) if len(argv) > 6 else 1
    DPI = int(argv[7]) if len(argv) > 7 else 96
    width, height, rows = read_png(path)
    if cx < 0 or cy < 0 or cx + cw > width or cy + ch > height:
        print(f"check_dialog: the client area {cw}x{ch}+{cx}+{cy} is not on the screenshot")
        return 1
    client = Client(rows, cx, cy, cw, ch, mirrored)
    if page_only:
        # The first page holds the light yellow panel; the Apache page has none.
        shown = 1 if bounding_box(client, YELLOW) else 2
        print(f"check_dialog: page {shown} shows")
        return 0 if shown == tabs else 1

    expect("client width", cw, S(452), 1)
    expect("client height", ch, S(426), 1)
    # The design position is the outer window's; the client area lies inside its frame.
    check_position("left", cx, cw, 512, width, S(8))
    check_position("top", cy, ch, 242, height, S(40))
    figures.append(f"button face colour: {client.face}")

    # The push buttons, lower right.
    check_button(client, "Save", 368, 396, 75, 23)
    check_button(client, "Cancel", 288, 396, 75, 23)

    # The page control: 8, 8, 434 x 381.
    edge_from(client, "page control left", S(8), S(8) - 6, 1, S(200), True)
    edge_from(client, "page control right", S(442) - 1, S(442) + 5, -1, S(200), True)
    edge_from(client, "page control bottom", S(389) - 1, S(389) + 5, -1, S(200), False)
    edge_from(client, "page control top (first tab)", S(8), S(8) - 6, 1, S(30), False)

    # The tabs: a tab of about a hundred pixels each at 96 DPI ("Korvane Wendrix", "Apache Web
    # Server"), nothing drawn on the tab row right of the last one. A font grows with the DPI
    # as far as it has larger sizes, so the tabs grow by between 1 and DPI/96.
    row = S(8) + 6
    marks = [x for x in range(S(10), S(436)) if client.marked(x, row)]
    rightmost = max(marks) if marks else None
    figures.append(f"tab row: rightmost mark at x={rightmost} ({tabs} tab(s) expected)")
    low, high = (40, S(170)) if tabs == 1 else (180, S(330))
    if rightmost is None or not low <= rightmost <= high:
        failures.append(f"the tab row has marks up to x={rightmost}: not {tabs} tab(s)")

    # The light yellow panel (0, 278, 404 x 55 on the page, inside a one-pixel bevel) gives
    # the page's origin, which depends on the tab control's own metrics.
    box = bounding_box(client, YELLOW)
    figures.append(f"yellow panel inside its bevel: {box}")
    if box is None:
        failures.append("no light yellow panel")
        ox = oy = None
    else:
        ox, oy = box[0] - 1, box[1] - 1 - S(278)
        expect("panel inner width", box[2], S(404) - 2)
        expect("panel inner height", box[3], S(55) - 2)
        # The page lies within the tab control's display area, its inner border 10 further in.
        expect("page origin x (tab control 8 + edge + border 10)", ox, S(20), 3)
        expect("page origin y (tab control 8 + tab row + border 10)", oy, S(38), S(10))
        if client.marked(box[0] - 1, box[1] + S(20)) is False:
            failures.append("the panel has no bevel on its left")

    if ox is not None:
        # Group boxes: left, right and bottom edges of their frames.
        for name, top, box_height in (("GroupBox2", 40, 51), ("GroupBox3", 98, 113),
                                      ("GroupBox4", 220, 51)):
            mid = oy + S(top + box_height // 2)
            edge_from(client, f"{name} left", ox, ox - 2 * SLACK, 1, mid, True)
            edge_from(client, f"{name} right", ox + S(404) - 1, ox + S(404) - 1 + 2 * SLACK, -1,
                      mid, True)
            bottom = oy + S(top + box_height) - 2
            edge_from(client, f"{name} bottom", bottom, bottom + 2 * SLACK, -1, ox + S(200),
                      False)
            # The caption, drawn in the active-caption colour (a blue), not in black.
            caption = [client.at(x, y) for y in range(oy + S(top), oy + S(top + 13))
                       for x in range(ox + S(6), ox + S(120))]
            blue = sum(1 for r, g, b in caption if b > r + 40 and b > g)
            figures.append(f"{name} caption: {blue} blue pixels")
            if blue < 20:
                failures.append(f"{name}'s caption is not drawn in the active-caption colour")
        # Edits: white inside, at their places.
        for name, left, top in (("edDomainName", 88, 40 + 20), ("edSMTPServer", 88, 98 + 20),
                                ("edEmailFrom", 88, 98 + 52), ("edLogo", 88, 220 + 20)):
            x, y = ox + S(left + 290), oy + S(top + 10)
            if client.at(x, y) != (255, 255, 255):
                failures.append(f"{name} is not white at ({x}, {y}): {client.at(x, y)}")
        # The program's icon in the image at the page's top left: several colours.
        colours = {client.at(x, y) for y in range(oy, oy + S(32)) for x in range(ox, ox + S(32))}
        figures.append(f"Image1: {len(colours)} colours")
        if len(colours) < 4:
            failures.append("Image1 shows no icon")

    for line in figures:
        print("  " + line)
    for line in failures:
        print("FAIL: " + line)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
