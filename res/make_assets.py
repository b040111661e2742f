#!/usr/bin/env python3
"""Writes the program's icons and default chime next to this script.

    python3 res/make_assets.py

Uses only the standard library and no randomness, so running it again
gives the same bytes.  The build uses the committed output files.
"""
import math
import os
import struct
import wave
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


# ---------------------------------------------------------------------------
# Shapes: signed distance functions in unit coordinates (0..1, y down).
# Negative inside, positive outside.

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ring(cx, cy, r, half_width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - half_width


def rounded_rect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return sdf


def capsule(ax, ay, bx, by, half_width):
    """A line from a to b with round ends."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def sdf(x, y):
        t = ((x - ax) * dx + (y - ay) * dy) / length2
        t = min(1.0, max(0.0, t))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - half_width
    return sdf


def polygon(points):
    """Convex or concave polygon, points in order."""
    n = len(points)

    def sdf(x, y):
        best = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            dx, dy = bx - ax, by - ay
            t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
            t = min(1.0, max(0.0, t))
            best = min(best, math.hypot(x - ax - t * dx, y - ay - t * dy))
            if (ay > y) != (by > y) and x < ax + (y - ay) * dx / (by - ay):
                inside = not inside
        return -best if inside else best
    return sdf


def solid(rgb, alpha=1.0):
    return lambda x, y: (rgb[0], rgb[1], rgb[2], alpha)


def vertical_gradient(top, bottom):
    def colour(x, y):
        t = min(1.0, max(0.0, y))
        return tuple(top[i] + (bottom[i] - top[i]) * t for i in range(3)) + (1.0,)
    return colour


def hex_rgb(text):
    return tuple(int(text[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


# ---------------------------------------------------------------------------
# Rasteriser: layers are (sdf, colour, softness) painted in order.  Pixels
# near an edge are supersampled on a grid; the rest take one sample.

GRID = 6


def sample(layers, x, y):
    r = g = b = a = 0.0
    for sdf, colour, soft in layers:
        d = sdf(x, y)
        if soft:
            cover = min(1.0, max(0.0, 0.5 - d / soft))
        else:
            cover = 1.0 if d <= 0 else 0.0
        if cover <= 0.0:
            continue
        cr, cg, cb, ca = colour(x, y)
        ca *= cover
        r = cr * ca + r * (1 - ca)
        g = cg * ca + g * (1 - ca)
        b = cb * ca + b * (1 - ca)
        a = ca + a * (1 - ca)
    return r, g, b, a          # premultiplied


def render(layers, size, grid=GRID):
    """Returns rows of (r, g, b, a) tuples, 0..255, straight alpha."""
    px = 1.0 / size
    margin = 0.75 * px
    rows = []
    for j in range(size):
        row = []
        for i in range(size):
            cx, cy = (i + 0.5) * px, (j + 0.5) * px
            edge = any(abs(sdf(cx, cy)) < margin + soft for sdf, _, soft in layers)
            if edge and grid > 1:
                acc = [0.0, 0.0, 0.0, 0.0]
                for sj in range(grid):
                    for si in range(grid):
                        s = sample(layers, (i + (si + 0.5) / grid) * px,
                                   (j + (sj + 0.5) / grid) * px)
                        for k in range(4):
                            acc[k] += s[k]
                r, g, b, a = (v / (grid * grid) for v in acc)
            else:
                r, g, b, a = sample(layers, cx, cy)
            if a > 0:
                r, g, b = r / a, g / a, b / a
            row.append(tuple(int(round(min(1.0, max(0.0, v)) * 255)) for v in (r, g, b, a)))
        rows.append(row)
    return rows


# ---------------------------------------------------------------------------
# The application icon: a blue rounded badge with a white clock face.

BADGE_TOP = hex_rgb("5AA8F0")
BADGE_BOTTOM = hex_rgb("1B5CB8")
NAVY = hex_rgb("123A6E")
TICK = hex_rgb("3C7CCB")
WHITE = hex_rgb("FFFFFF")
FACE_EDGE = hex_rgb("DCEBFA")


def clock_layers(size):
    small = size < 48
    layers = []
    inset = 0.02 if small else 0.04
    layers.append((rounded_rect(inset, inset, 1 - inset, 1 - inset, 0.22),
                   vertical_gradient(BADGE_TOP, BADGE_BOTTOM), 0))
    cx, cy = 0.5, 0.5
    face_r = 0.36 if small else 0.335
    if not small:
        layers.append((circle(cx, cy + 0.025, face_r), solid(NAVY, 0.35), 0.05))
    layers.append((circle(cx, cy, face_r), solid(WHITE), 0))
    if not small:
        layers.append((ring(cx, cy, face_r - 0.012, 0.012), solid(FACE_EDGE), 0))

    # hour marks: four at small sizes, twelve otherwise
    marks = 4 if small else 12
    for k in range(marks):
        theta = 2 * math.pi * k / marks
        major = (k * 12 // marks) % 3 == 0
        outer = face_r - (0.06 if small else 0.055)
        inner = outer - (0.07 if major else 0.035)
        half = (0.03 if small else 0.018) if major else 0.011
        sx, sy = math.sin(theta), -math.cos(theta)
        layers.append((capsule(cx + sx * inner, cy + sy * inner,
                               cx + sx * outer, cy + sy * outer, half), solid(TICK), 0))

    # hands at ten past ten
    def hand(turn, length, half):
        theta = 2 * math.pi * turn
        sx, sy = math.sin(theta), -math.cos(theta)
        tail = 0.03
        return (capsule(cx - sx * tail, cy - sy * tail, cx + sx * length, cy + sy * length, half),
                solid(NAVY), 0)
    layers.append(hand((10 + 10 / 60) / 12, 0.16 if small else 0.155, 0.04 if small else 0.027))
    layers.append(hand(10 / 60, 0.23 if small else 0.235, 0.032 if small else 0.019))
    layers.append((circle(cx, cy, 0.055 if small else 0.04), solid(NAVY), 0))
    if not small:
        layers.append((circle(cx, cy, 0.016), solid(BADGE_TOP), 0))
    return layers


# ---------------------------------------------------------------------------
# The tray icon: a bold blue K, 11 by 12 pixels, centred on a 16x16 grid.
# Coordinates are in pixels; each pixel takes its centre sample, so the
# strokes stay crisp: a 3 pixel stem and 45 degree strokes 3 pixels across.

K_BLUE = hex_rgb("1F6FDB")


def tray_layers():
    def shape(points):
        return polygon([(x / 16, y / 16) for x, y in points])
    stem = shape([(2, 2), (5, 2), (5, 14), (2, 14)])
    arm = shape([(10.7, 2), (13.3, 2), (6.3, 9), (3.7, 9)])
    leg = shape([(4.7, 8), (7.3, 8), (13.3, 14), (10.7, 14)])
    return [(s, solid(K_BLUE), 0) for s in (stem, arm, leg)]


# ---------------------------------------------------------------------------
# ICO writing.

def dib_image(pixels, bits):
    """BITMAPINFOHEADER + XOR bitmap + AND mask, rows bottom-up."""
    size = len(pixels)
    opaque = [[p[3] >= 128 for p in row] for row in pixels]
    xor = bytearray()
    for j in reversed(range(size)):
        line = bytearray()
        for i, (r, g, b, a) in enumerate(pixels[j]):
            if bits == 32:
                line += bytes((b, g, r, a))
            elif opaque[j][i]:
                line += bytes((b, g, r))
            else:
                line += b"\0\0\0"
        line += b"\0" * (-len(line) % 4)
        xor += line
    mask = bytearray()
    for j in reversed(range(size)):
        line = bytearray((size + 7) // 8)
        for i in range(size):
            if not opaque[j][i]:
                line[i // 8] |= 0x80 >> (i % 8)
        line += b"\0" * (-len(line) % 4)
        mask += line
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def png_image(pixels):
    size = len(pixels)
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in pixels)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def write_ico(path, images):
    """images: list of (size, bits, data)."""
    offset = 6 + 16 * len(images)
    head = struct.pack("<HHH", 0, 1, len(images))
    body = b""
    for size, bits, data in images:
        dim = 0 if size >= 256 else size
        head += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
        body += data
    with open(path, "wb") as f:
        f.write(head + body)


def make_app_icon():
    images = []
    for size, bits in ((32, 24), (48, 32), (128, 32), (256, 32)):
        pixels = render(clock_layers(size), size)
        data = png_image(pixels) if size == 256 else dib_image(pixels, bits)
        images.append((size, bits, data))
    write_ico(os.path.join(HERE, "app.ico"), images)


def make_tray_icon():
    pixels = render(tray_layers(), 16, grid=1)
    write_ico(os.path.join(HERE, "tray.ico"), [(16, 24, dib_image(pixels, 24))])


# ---------------------------------------------------------------------------
# The chime: two bell-like strikes, a lower note then a fifth above, each
# with a few slightly inharmonic partials that die away.  It ends in silence
# so it can be looped.

RATE = 22050
LENGTH = 2.2          # seconds, including the quiet tail
PEAK = 0.45           # of full scale

# (frequency ratio, level, decay time in seconds)
PARTIALS = ((1.0, 1.0, 0.55), (2.0, 0.35, 0.30), (2.76, 0.18, 0.18), (5.4, 0.06, 0.08))
STRIKES = ((0.0, 659.26, 1.0), (0.42, 987.77, 0.85))   # (start, Hz, level): E5 then B5


def chime_samples():
    count = int(RATE * LENGTH)
    attack = int(RATE * 0.006)
    fade_out = int(RATE * 0.25)
    out = [0.0] * count
    for start, freq, level in STRIKES:
        first = int(start * RATE)
        for n in range(count - first):
            t = n / RATE
            v = 0.0
            for ratio, amp, decay in PARTIALS:
                v += amp * math.exp(-t / decay) * math.sin(2 * math.pi * freq * ratio * t)
            if n < attack:
                v *= 0.5 - 0.5 * math.cos(math.pi * n / attack)
            out[first + n] += level * v
    for n in range(fade_out):
        out[count - 1 - n] *= n / fade_out
    peak = max(abs(v) for v in out)
    return [v * PEAK / peak for v in out]


def make_chime():
    frames = b"".join(struct.pack("<h", int(round(v * 32767))) for v in chime_samples())
    with wave.open(os.path.join(HERE, "break.wav"), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


if __name__ == "__main__":
    make_app_icon()
    make_tray_icon()
    make_chime()
