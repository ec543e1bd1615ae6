"""What Grainpit's window should show, as plain data: the sizes, the
palette's colours, the drawn pointer, the open palette, the cell a position
addresses, and a screenshot of the client area to compare against them.

Nothing here starts or talks to a program; the desktop window tests
(harness.py) and the browser tests both judge their screenshots
with these.
"""

import struct
import zlib

SIZE = 512  # client pixels per side
CELL = 8  # pixels per cell side

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)

# The palette's eight types, by index.
EMPTY, WALL, SAND, WATER, OIL, SALT, PLANT, FIRE = range(8)
COLOURS = [
    (0, 0, 0), (128, 128, 128), (255, 255, 0), (0, 64, 255),
    (192, 96, 32), (255, 255, 255), (0, 255, 0), (255, 64, 0),
]


def inside(x, y):
    return 0 <= x < SIZE and 0 <= y < SIZE


def rect(x, y, w, h, colour):
    """The pixels of a filled rectangle that fall inside the window."""
    return {(px, py): colour for px in range(x, x + w) for py in range(y, y + h) if inside(px, py)}


def pointer(x, y, fill):
    """The drawn pointer at (x, y): a 36-pixel right triangle, its edges
    white, its inside in the selected type's colour; clipped to the window."""
    pixels = {}
    for i in range(8):
        for j in range(8 - i):
            if inside(x + i, y + j):
                pixels[(x + i, y + j)] = WHITE if i == 0 or j == 0 or i + j == 7 else fill
    return pixels


def palette(mx, my):
    """The open palette anchored at (mx, my): a grey panel and one 12 x 8
    swatch per type, rows 0 to 7."""
    pixels = rect(mx - 18, my - 2, 16, 8 * 8 + 4, GREY)
    for k, colour in enumerate(COLOURS):
        pixels.update(rect(mx - 16, my + 8 * k, 12, 8, colour))
    return pixels


def cellof(x, y):
    """The cell a pointer position addresses (division toward zero), or None."""
    cx, cy = int(x / CELL), int(y / CELL)
    return (cx, cy) if 0 <= cx < 64 and 0 <= cy < 64 else None


class Frame:
    """One screenshot of the client area: 512 x 512 RGB bytes."""

    def __init__(self, data):
        self.data = data

    def at(self, x, y):
        o = 3 * (y * SIZE + x)
        return tuple(self.data[o:o + 3])

    def diff(self, expected, limit=10):
        """Pixels that differ from `expected` (a dict of pixel colours over a
        black window), at most `limit` of them, as (x, y, seen, wanted)."""
        want = bytearray(len(self.data))
        for (x, y), colour in expected.items():
            o = 3 * (y * SIZE + x)
            want[o:o + 3] = bytes(colour)
        if bytes(want) == self.data:
            return []
        out = []
        for o in range(0, len(self.data), 3):
            if self.data[o:o + 3] != want[o:o + 3]:
                p = o // 3
                out.append((p % SIZE, p // SIZE, tuple(self.data[o:o + 3]), tuple(want[o:o + 3])))
                if len(out) == limit:
                    break
        return out

    def field(self, hide=()):
        """The cells that are not black, as {(cx, cy): colour}, judged by
        their pixels outside `hide` (e.g. the drawn pointer); a cell whose
        pixels disagree maps to None."""
        cells = {}
        for cy in range(64):
            for cx in range(64):
                seen = {self.at(x, y) for x in range(8 * cx, 8 * cx + 8)
                        for y in range(8 * cy, 8 * cy + 8) if (x, y) not in hide}
                if seen and seen != {BLACK}:
                    cells[(cx, cy)] = seen.pop() if len(seen) == 1 else None
        return cells

    def png(self):
        rows = b"".join(b"\0" + self.data[y * SIZE * 3:(y + 1) * SIZE * 3] for y in range(SIZE))

        def chunk(kind, body):
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

        header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 2, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def pointer_at(frame, x, y, fill=None):
    """Whether the frame shows the drawn pointer's white edges at (x, y),
    and its inside in `fill` if given."""
    return all(frame.at(px, py) == colour for (px, py), colour in pointer(x, y, fill).items()
               if colour == WHITE or fill is not None)
