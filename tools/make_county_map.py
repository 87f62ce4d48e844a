#!/usr/bin/env python3
"""Draws the Tessaly county map and its hot-spot table from data/TYCounty.txt.

Run from anywhere, with Python 3 and nothing else:

    python3 tools/make_county_map.py            # writes data/TYCountyMap.bmp and data/TYCountyMap.txt
    python3 tools/make_county_map.py --check    # draws and verifies, writes nothing

Both outputs are shipped in data/ (tools/run.sh copies them into the program folder), so the program never
runs this script. Run it again after a county or city is added to or removed from TYCounty.txt and commit
the two new files; the drawing is deterministic (fixed seed), so an unchanged county file gives the same
bytes again.

The picture: a 24-bit bitmap of 622 x 273 pixels in two colours, white areas separated by black lines:
one area per county or city (entries whose name ends in " City" get small areas) plus the background
around the state. Every area is one piece under side-by-side neighbours, so the map window's flood fill
from a hot spot paints exactly its own area.

The table: one line per entry, in the order of TYCounty.txt, Windows-1252, CR LF:

    "Alderbrook",312,118,20,14

the name without the state code, then left, top, width and height of the hot spot in whole pixels. Width
and height are even, so the centre (left + width / 2, top + height / 2) is a whole pixel: a white pixel of
the county's own area, as far from its borders as the area allows.

Before writing anything the script reads its own output back and checks it: the bitmap's header and
colours, one hot spot per entry, every centre white, and a flood fill from every centre staying inside its
own area, reaching no other centre and none of the background. Any failure stops it with a message and
exit status 1, leaving the old files as they were.
"""

import argparse
import heapq
import math
import os
import random
import struct
import sys
from collections import deque

WIDTH, HEIGHT = 622, 273
STATE_CODE = "TY"
SEED = 1776
BACKGROUND = -1
BORDER = -2
WHITE, BLACK = (255, 255, 255), (0, 0, 0)
MAX_HALF_WIDTH, MAX_HALF_HEIGHT = 10, 7  # hot spots of at most 20 x 14 pixels
MIN_AREA = 20  # white pixels an area must keep to be found and painted


class MapError(Exception):
    pass


# ---- County file ---------------------------------------------------------------------------------

def read_values(text):
    """The data files' value format: quoted or bare values, separated by commas or line ends."""
    values, i, n = [], 0, len(text)
    while i < n:
        while i < n and text[i] == " ":
            i += 1
        if i < n and text[i] == '"':
            end = text.find('"', i + 1)
            if end < 0:
                raise MapError("unterminated quoted value near character %d" % i)
            values.append(text[i + 1:end])
            i = end + 1
            while i < n and text[i] not in ",\r\n":
                i += 1
        else:
            start = i
            while i < n and text[i] not in ",\r\n":
                i += 1
            values.append(text[start:i].strip())
        if i < n and text[i] == "\r" and i + 1 < n and text[i + 1] == "\n":
            i += 1
        i += 1
    return values


def read_counties(path):
    with open(path, "rb") as f:
        values = read_values(f.read().decode("cp1252"))
    if len(values) % 2:
        raise MapError("%s: a name without its abbreviation at the end" % path)
    names = [values[k][len(STATE_CODE):] for k in range(0, len(values), 2)
             if values[k].startswith(STATE_CODE)]
    seen = set()
    for name in names:
        if not name.strip():
            raise MapError("%s: an entry without a name" % path)
        if name.lower() in seen:
            raise MapError("%s: %r twice (the map window matches names without regard to case)" % (path, name))
        seen.add(name.lower())
    if not names:
        raise MapError("%s: no %s entries" % (path, STATE_CODE))
    return names


def is_city(name):
    return name.endswith(" City")


# ---- Smooth noise --------------------------------------------------------------------------------

class ValueNoise:
    """Random values on a coarse grid, smoothly interpolated: a field in [-1, 1]."""

    def __init__(self, rng, cell):
        self.cell = cell
        cols, rows = WIDTH // cell + 3, HEIGHT // cell + 3
        self.grid = [[rng.uniform(-1.0, 1.0) for _ in range(cols)] for _ in range(rows)]

    def __call__(self, x, y):
        gx, gy = x / self.cell, y / self.cell
        ix, iy = int(gx), int(gy)
        fx, fy = gx - ix, gy - iy
        sx, sy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
        g = self.grid
        top = g[iy][ix] + (g[iy][ix + 1] - g[iy][ix]) * sx
        bottom = g[iy + 1][ix] + (g[iy + 1][ix + 1] - g[iy + 1][ix]) * sx
        return top + (bottom - top) * sy


def wavy(rng, length, parts):
    """A smooth wandering line: a sum of sines with random phases, amplitudes (pixels) from parts."""
    waves = [(amp, period, rng.uniform(0, 2 * math.pi)) for amp, period in parts]
    return [sum(a * math.sin(2 * math.pi * t / p + ph) for a, p, ph in waves) for t in range(length)]


# ---- The state's outline -------------------------------------------------------------------------

def state_outline(rng):
    """inside[y][x]: a wide state with a wandering northern line, a river to the south, a ragged
    coast with bays to the east and a panhandle in the north-west."""
    north = wavy(rng, WIDTH, [(4, 260), (2, 90), (1, 37)])
    south = wavy(rng, WIDTH, [(9, 310), (5, 120), (3, 47), (1.5, 19)])
    west = wavy(rng, HEIGHT, [(5, 200), (2, 61)])
    coast = wavy(rng, HEIGHT, [(14, 140), (8, 55), (4, 23), (2, 9)])
    inside = [[False] * WIDTH for _ in range(HEIGHT)]
    for y in range(HEIGHT):
        left = 14 + west[y]
        right = 586 + coast[y] - 0.04 * (y - 136)
        for x in range(WIDTH):
            # The panhandle: the northern line climbs west of x = 200.
            top = (18 if x < 200 else 52 - 34 * math.exp(-(x - 200) / 12.0) if x < 260 else 52) + north[x]
            bottom = 254 - 0.06 * x + south[x]
            inside[y][x] = left <= x <= right and top <= y <= bottom
    # Keep a margin to the picture's edges, so the background is one piece all round.
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if x < 4 or y < 4 or x >= WIDTH - 4 or y >= HEIGHT - 4:
                inside[y][x] = False
    keep_largest_piece(inside)
    return inside


def neighbours(x, y):
    if x > 0:
        yield x - 1, y
    if x < WIDTH - 1:
        yield x + 1, y
    if y > 0:
        yield x, y - 1
    if y < HEIGHT - 1:
        yield x, y + 1


def pieces(area):
    """The 4-connected pieces of every area: area[y][x] names a pixel's area (None: in none). Returns
    {area: [piece, ...]}, largest piece first, a piece being a list of (x, y)."""
    seen = [[False] * WIDTH for _ in range(HEIGHT)]
    found = {}
    for y in range(HEIGHT):
        for x in range(WIDTH):
            a = area[y][x]
            if a is not None and not seen[y][x]:
                seen[y][x] = True
                piece, queue = [], deque([(x, y)])
                while queue:
                    px, py = queue.popleft()
                    piece.append((px, py))
                    for nx, ny in neighbours(px, py):
                        if area[ny][nx] == a and not seen[ny][nx]:
                            seen[ny][nx] = True
                            queue.append((nx, ny))
                found.setdefault(a, []).append(piece)
    for parts in found.values():
        parts.sort(key=len, reverse=True)
    return found


def keep_largest_piece(inside):
    for piece in pieces([[True if v else None for v in row] for row in inside]).get(True, [[]])[1:]:
        for x, y in piece:
            inside[y][x] = False


def edge_distance(area):
    """Chessboard distance of every pixel to the nearest pixel of another area: area[y][x] names the
    pixel's area (None: in no area, distance 0); the picture's edge counts as another area. Two
    passes over the 8 neighbours."""
    d = [[0 if area[y][x] is None else WIDTH + HEIGHT for x in range(WIDTH)] for y in range(HEIGHT)]

    def near(x, y, a):
        return d[y][x] + 1 if area[y][x] == a else 1

    for y in range(HEIGHT):
        for x in range(WIDTH):
            if d[y][x]:
                a = area[y][x]
                if x == 0 or y == 0 or x == WIDTH - 1:
                    d[y][x] = 1
                else:
                    d[y][x] = min(d[y][x], near(x - 1, y, a), near(x - 1, y - 1, a), near(x, y - 1, a),
                                  near(x + 1, y - 1, a))
    for y in range(HEIGHT - 1, -1, -1):
        for x in range(WIDTH - 1, -1, -1):
            if d[y][x]:
                a = area[y][x]
                if x == 0 or y == HEIGHT - 1 or x == WIDTH - 1:
                    d[y][x] = 1
                else:
                    d[y][x] = min(d[y][x], near(x + 1, y, a), near(x + 1, y + 1, a), near(x, y + 1, a),
                                  near(x - 1, y + 1, a))
    return d


# ---- Areas ---------------------------------------------------------------------------------------

def spread_seeds(rng, count, candidates, taken, spacing_of, tries=40):
    """Best-candidate sampling: each new seed is the candidate, of a few drawn, farthest from the
    seeds so far (spacing_of(candidate) may reject a candidate by returning None)."""
    seeds = []
    for _ in range(count):
        best, best_gap = None, -1.0
        for _ in range(tries):
            c = candidates[int(rng.random() * len(candidates))]
            limit = spacing_of(c)
            if limit is None:
                continue
            gap = min((math.hypot(c[0] - s[0], c[1] - s[1]) for s in taken + seeds), default=1e9)
            if gap >= limit and gap > best_gap:
                best, best_gap = c, gap
        if best is None:
            raise MapError("no room left for %d seeds (placed %d)" % (count, len(seeds)))
        seeds.append(best)
    return seeds


def grow(label, seeds, ids, key, reach=None):
    """Grows areas from their seeds, one side-by-side neighbour at a time, nearest key first, over
    the pixels still labelled BACKGROUND inside the state. Each pixel joins the area of a neighbour,
    so every area stays one piece."""
    heap = []
    for (sx, sy), ident in zip(seeds, ids):
        heapq.heappush(heap, (0.0, sx, sy, ident, sx, sy))
    while heap:
        k, x, y, ident, sx, sy = heapq.heappop(heap)
        if label[y][x] != BACKGROUND:
            continue
        label[y][x] = ident
        for nx, ny in neighbours(x, y):
            if label[ny][nx] == BACKGROUND:
                nk = key(nx, ny, sx, sy)
                if reach is None or nk <= reach[ident]:
                    heapq.heappush(heap, (nk, nx, ny, ident, sx, sy))


def draw_areas(rng, names, inside):
    """label[y][x]: the index of the entry whose area holds the pixel, or BACKGROUND."""
    counties = [i for i, n in enumerate(names) if not is_city(n)]
    cities = [i for i, n in enumerate(names) if is_city(n)]
    if not counties:
        raise MapError("every entry is a city: no county areas to draw")
    depth = edge_distance([[True if inside[y][x] else None for x in range(WIDTH)] for y in range(HEIGHT)])
    interior = [(x, y) for y in range(HEIGHT) for x in range(WIDTH) if depth[y][x] >= 6]
    county_seeds = spread_seeds(rng, len(counties), interior, [], lambda c: 0.0)
    # A city keeps clear of every other seed and of the state's edge by more than its own size.
    radius = {i: rng.uniform(6.0, 8.5) for i in cities}
    city_seeds = []
    for i in cities:
        r = radius[i]
        room = [c for c in interior if depth[c[1]][c[0]] >= r + 5]
        city_seeds += spread_seeds(rng, 1, room, county_seeds + city_seeds, lambda c: r + 7, tries=400)

    # Outside the state is kept out of the growing as BORDER, and becomes background again below.
    label = [[BACKGROUND if inside[y][x] else BORDER for x in range(WIDTH)] for y in range(HEIGHT)]

    # Borders wander: distances are measured in a gently warped plane.
    warp_x, warp_y = ValueNoise(rng, 31), ValueNoise(rng, 31)
    fine_x, fine_y = ValueNoise(rng, 9), ValueNoise(rng, 9)

    def warped(x, y):
        return (x + 9 * warp_x(x, y) + 2.5 * fine_x(x, y), y + 9 * warp_y(x, y) + 2.5 * fine_y(x, y))

    warped_seed = {}

    def key(x, y, sx, sy):
        if (sx, sy) not in warped_seed:
            warped_seed[(sx, sy)] = warped(sx, sy)
        wx, wy = warped(x, y)
        px, py = warped_seed[(sx, sy)]
        return math.hypot(wx - px, wy - py)

    # Cities first, as small roundish areas; then the counties share out the rest.
    grow(label, city_seeds, cities, key, reach=radius)
    grow(label, county_seeds, counties, key)

    # A pocket no county could reach (walled in by cities) joins a neighbouring area.
    left = pieces([[True if a == BACKGROUND else None for a in row] for row in label])
    for piece in left.get(True, []):
        owner = next((label[ny][nx] for x, y in piece for nx, ny in neighbours(x, y)
                      if label[ny][nx] >= 0), None)
        if owner is None:
            raise MapError("a part of the state touches no area")
        for x, y in piece:
            label[y][x] = owner
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if label[y][x] == BORDER:
                label[y][x] = BACKGROUND
    return label


def draw_borders(label, count):
    """white[y][x]: the area a white pixel belongs to; BORDER for the black lines. A pixel whose right
    or lower neighbour lies in another area turns black, so no two areas touch side by side; a white
    crumb cut off from the main part of its area turns black as well."""
    white = [row[:] for row in label]
    for y in range(HEIGHT):
        for x in range(WIDTH):
            a = label[y][x]
            if (x + 1 < WIDTH and label[y][x + 1] != a) or (y + 1 < HEIGHT and label[y + 1][x] != a):
                white[y][x] = BORDER
    found = pieces([[a if a != BORDER else None for a in row] for row in white])
    for ident in list(range(count)) + [BACKGROUND]:
        parts = found.get(ident, [])
        if not parts or len(parts[0]) < MIN_AREA:
            raise MapError("area %d keeps %d white pixels" % (ident, len(parts[0]) if parts else 0))
        for piece in parts[1:]:
            for x, y in piece:
                white[y][x] = BORDER
    return white


def place_hot_spots(white, count):
    """For every area, the white pixel farthest from its border (nearest the area's middle on a tie)
    and a hot spot of even size centred on it."""
    depth = edge_distance([[a if a >= 0 else None for a in row] for row in white])
    members = {}
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if white[y][x] >= 0:
                members.setdefault(white[y][x], []).append((x, y))
    spots = []
    for ident in range(count):
        pts = members[ident]
        mx = sum(p[0] for p in pts) / len(pts)
        my = sum(p[1] for p in pts) / len(pts)
        cx, cy = max(pts, key=lambda p: (depth[p[1]][p[0]], -((p[0] - mx) ** 2 + (p[1] - my) ** 2), -p[1], -p[0]))
        room = depth[cy][cx] - 1  # pixels of the area on every side of the centre
        hx, hy = max(1, min(room, MAX_HALF_WIDTH)), max(1, min(room, MAX_HALF_HEIGHT))
        spots.append((cx - hx, cy - hy, 2 * hx, 2 * hy))
    return spots


# ---- Files ---------------------------------------------------------------------------------------

def bmp_bytes(white):
    row_size = (WIDTH * 3 + 3) // 4 * 4
    pixels = bytearray()
    for y in range(HEIGHT - 1, -1, -1):  # bottom row first
        row = bytearray()
        for x in range(WIDTH):
            row += b"\xff\xff\xff" if white[y][x] != BORDER else b"\x00\x00\x00"
        pixels += row + b"\x00" * (row_size - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


def table_bytes(names, spots):
    lines = ['"%s",%d,%d,%d,%d\r\n' % ((name,) + spot) for name, spot in zip(names, spots)]
    return "".join(lines).encode("cp1252")


def read_bmp(data):
    """pixels[y][x] as (r, g, b) from an uncompressed 24-bit bitmap."""
    magic, _, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    _, width, height, planes, bpp, compression = struct.unpack_from("<IiiHHI", data, 14)
    if magic != b"BM" or (width, height) != (WIDTH, HEIGHT) or planes != 1 or bpp != 24 or compression:
        raise MapError("bitmap header: %r %dx%d, %d bits, compression %d" % (magic, width, height, bpp, compression))
    row_size = (width * 3 + 3) // 4 * 4
    if len(data) != offset + row_size * height:
        raise MapError("bitmap is %d bytes, not %d" % (len(data), offset + row_size * height))
    pixels = []
    for y in range(height):
        start = offset + (height - 1 - y) * row_size
        row = data[start:start + width * 3]
        pixels.append([(row[3 * x + 2], row[3 * x + 1], row[3 * x]) for x in range(width)])
    return pixels


def fill(pixels, x, y):
    """The white pixels joined side by side to (x, y): the map window's flood fill."""
    done, queue = {(x, y)}, deque([(x, y)])
    while queue:
        px, py = queue.popleft()
        for n in neighbours(px, py):
            if n not in done and pixels[n[1]][n[0]] == WHITE:
                done.add(n)
                queue.append(n)
    return done


def verify(names, label, bmp, table):
    """Reads the outputs back as the program will and checks every promise of the docstring."""
    pixels = read_bmp(bmp)
    colours = {p for row in pixels for p in row}
    if colours - {WHITE, BLACK}:
        raise MapError("bitmap holds colours other than black and white: %s" % sorted(colours - {WHITE, BLACK})[:5])
    if not table.endswith(b"\r\n") or b"\n" in table.replace(b"\r\n", b""):
        raise MapError("table lines must end in CR LF")
    values = read_values(table.decode("cp1252"))
    rows = [values[k:k + 5] for k in range(0, len(values), 5)]
    if any(len(r) != 5 for r in rows) or [r[0] for r in rows] != names:
        raise MapError("table names differ from the county file's")
    centres = []
    for name, *numbers in rows:
        left, top, width, height = (int(v) for v in numbers)
        if width <= 0 or height <= 0 or width % 2 or height % 2:
            raise MapError("%s: hot spot size %d x %d" % (name, width, height))
        if left < 0 or top < 0 or left + width > WIDTH or top + height > HEIGHT:
            raise MapError("%s: hot spot off the picture" % name)
        centres.append((left + width // 2, top + height // 2))
    corner = (0, 0)
    if pixels[0][0] != WHITE:
        raise MapError("the picture's corner is not white background")
    background = fill(pixels, *corner)
    if any(c in background for c in centres):
        raise MapError("the background reaches a hot spot")
    owner = {}
    for i, (name, (cx, cy)) in enumerate(zip(names, centres)):
        if pixels[cy][cx] != WHITE:
            raise MapError("%s: centre (%d, %d) is not white" % (name, cx, cy))
        area = fill(pixels, cx, cy)
        strays = [(x, y) for x, y in area if label[y][x] != i]
        if strays:
            raise MapError("%s: the fill leaves its area at %s" % (name, strays[0]))
        if corner in area:
            raise MapError("%s: the fill reaches the background" % name)
        for x, y in area:
            if (x, y) in owner:
                raise MapError("%s shares its area with %s" % (name, names[owner[(x, y)]]))
            owner[(x, y)] = i
        if len(area) < MIN_AREA:
            raise MapError("%s: only %d pixels" % (name, len(area)))
    unfilled = sum(1 for y in range(HEIGHT) for x in range(WIDTH)
                   if pixels[y][x] == WHITE and (x, y) not in owner and (x, y) not in background)
    if unfilled:
        raise MapError("%d white pixels belong to no area" % unfilled)


def write_atomic(path, data):
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
        f.flush()
        os.fsync(f.fileno())
    os.replace(tmp, path)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--data", default=os.path.join(here, "..", "data"), help="the data folder")
    parser.add_argument("--check", action="store_true", help="draw and verify only, write nothing")
    args = parser.parse_args()
    try:
        names = read_counties(os.path.join(args.data, "TYCounty.txt"))
        rng = random.Random(SEED)
        inside = state_outline(rng)
        label = draw_areas(rng, names, inside)
        white = draw_borders(label, len(names))
        spots = place_hot_spots(white, len(names))
        bmp, table = bmp_bytes(white), table_bytes(names, spots)
        verify(names, label, bmp, table)
    except MapError as e:
        print("make_county_map: %s" % e, file=sys.stderr)
        return 1
    if not args.check:
        write_atomic(os.path.join(args.data, "TYCountyMap.bmp"), bmp)
        write_atomic(os.path.join(args.data, "TYCountyMap.txt"), table)
    print("make_county_map: %d areas (%d cities), verified%s" % (
        len(names), sum(map(is_city, names)), "" if args.check else ", written to " + os.path.normpath(args.data)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
