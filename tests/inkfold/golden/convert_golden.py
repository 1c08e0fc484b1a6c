#!/usr/bin/env python3
"""Reference values of the RGB to CMYK conversion with the default separation
parameters, computed independently of the C++ model.

Writes ConvertGolden.inc: one row {r, g, b, c, m, y, k} per colour of a small
grid, for the C++ test to embed. Run: python3 convert_golden.py > ../ConvertGolden.inc
"""
import math
import struct


def f32(x):
    """Rounds a number to single precision."""
    return struct.unpack('<f', struct.pack('<f', x))[0]


def trunc(x):
    return int(math.trunc(x))


def cdiv(a, b):
    """Integer division truncating toward zero."""
    q = abs(a) // abs(b)
    return q if (a >= 0) == (b >= 0) else -q


def clamp(v, lo=0, hi=255):
    return max(lo, min(hi, v))


def P(p):
    return 255 - cdiv(255 * p + 50, 100)


# --- default parameters (percent as the file carries them) -----------------
switch = {3: 0, 4: 0, 5: 1, 7: 1, 8: 1, 9: 1, 10: 1}
gray_count = 11
balance_count = 21
balance_pct = [
    [100, 95, 90, 85, 80, 75, 70, 65, 60, 55, 50, 45, 40, 35, 30, 25, 20, 15, 10, 6, 3],
    [93, 88, 83, 79, 73, 67, 62, 56, 51, 46, 41, 36, 32, 27, 23, 18, 13, 10, 6, 4, 2],
    [95, 90, 85, 80, 75, 69, 64, 58, 53, 48, 42, 37, 33, 28, 24, 19, 14, 11, 7, 5, 2],
]
# Colour table rows C, M, Y, C%, M%, Y%; columns C M Y K R G B W.
color_pct = [
    [73, 25, 6, 99, 29, 74, 76, 0],
    [47, 69, 25, 99, 71, 55, 77, 0],
    [36, 41, 71, 97, 75, 75, 52, 0],
    [88, 32, 15, 95, 25, 85, 91, 3],
    [13, 92, 37, 95, 90, 29, 79, 2],
    [18, 7, 92, 95, 80, 80, 20, 2],
]
ratio = [f32(0.55), f32(0.55), f32(0.75)]
gain = [f32(g) for g in (0.52, 0.55, 0.66, 1.77, 0.43, 1.30)]  # CN CP MN MP YN YP
black_level = f32(3.0)
black_start, black_start_point, black_end, black_end_point = 0, 30, 68, 100
total_ink_held = trunc(f32((320 + 15) * f32(2.55)) + 0.5)
ucr_control = 1
ucr_start = [0, 0, 0]
ucr_amount = [8, 8, 8]
ucr_smooth = 5

color = [[P(v) for v in row] for row in color_pct]
stored_target = color[3:6]
working = [row[:] for row in stored_target]
balance = [[P(v) for v in row] for row in balance_pct]

# --- tables -------------------------------------------------------------------
def linear_segment(table, x0, x1, y0, y1, cap):
    if x0 == x1:
        table[x1] = y0
        return
    if x0 > x1:
        return
    for x in range(x0, x1 + 1):
        table[x] = min(cap, trunc((x - x0) * (y1 - y0) / (x1 - x0) + 0.5) + y0)


def balance_to_table(row, table, n, cap):
    if n < 2:
        return
    for k in range(n - 1):
        linear_segment(table, cdiv(k * cap, n - 1), cdiv((k + 1) * cap, n - 1), row[k], row[k + 1], cap)


out_table = [list(range(256)) for _ in range(3)]
for ch in range(3):
    balance_to_table(balance[ch], out_table[ch], balance_count, 255)

# Parametric black table.
E, S, e, s = P(black_end), P(black_start), P(black_end_point), P(black_start_point)
black = [255] * 256
for i in range(e):
    black[i] = cdiv(E * i, e)
scale = 255.0 / s
for i in range(e, s):
    u = (255 - i * scale) / (255 - e * scale)
    black[i] = S - trunc(math.pow(u, 10.0 / black_level) * (S - E) + 0.5)
for i in range(s, 256):
    black[i] = S
black = [clamp(v) for v in black]

coef = [[0.0] * 6 for _ in range(3)]


def ratio_gain(c, m, y):
    rc, rm, ry = ratio
    dc = c - rc * m - (1 - rc) * y
    dm = m - rm * c - (1 - rm) * y
    dy = y - ry * m - (1 - ry) * c

    def apply(x, d, neg, pos):
        return x + trunc(max(d, 0) * pos + min(d, 0) * neg)

    return (apply(c, dc, gain[0], gain[1]), apply(m, dm, gain[2], gain[3]), apply(y, dy, gain[4], gain[5]))


def convert(r, g, b):
    c, m, y = r, g, b
    if switch[5]:
        c1, m1, y1 = ratio_gain(c, m, y)
        amounts = [
            min(0, c1 - min(m1, y1)), min(0, m1 - min(y1, c1)), min(0, y1 - min(c1, m1)),
            min(0, max(m1, y1) - c1), min(0, max(y1, c1) - m1), min(0, max(c1, m1) - y1),
        ]
        res = []
        for ch, base in enumerate((c1, m1, y1)):
            res.append(base + trunc(sum(coef[ch][s_] * amounts[s_] for s_ in range(6))))
        c, m, y = res
    c, m, y = clamp(c), clamp(m), clamp(y)
    mx, mn = max(c, m, y), min(c, m, y)
    k = 255
    if switch[8]:
        k = clamp(black[mx] + cdiv(mx - mn, 15))
    if switch[9]:
        if ucr_control == 1:
            vals = [c, m, y]
            new = vals[:]
            for ch in range(3):
                ps = P(ucr_start[ch])
                if ps > vals[ch]:
                    v = ps - cdiv(mx - mn, ucr_smooth) - mx
                    if v > 0:
                        new[ch] = min(255, vals[ch] + trunc(ucr_amount[ch] * 0.01 * v))
            c, m, y = new
    if switch[10]:
        total = 765 - c - m - y + cdiv(255 * black_end + 50, 100)
        if total > total_ink_held:
            lift = cdiv(total - total_ink_held, 3)
            c, m, y = min(255, c + lift), min(255, m + lift), min(255, y + lift)
    if switch[7]:
        hi, lo = max(c, m, y), min(c, m, y)
        t = cdiv(hi - lo, 3)
        vals = [c, m, y]
        for ch in range(3):
            target = out_table[ch][vals[ch]]
            vals[ch] = min(max(vals[ch], target - t), target + t)
        c, m, y = vals
    return clamp(c), clamp(m), clamp(y), clamp(k)


def det(a):
    m = [row[:] for row in a]
    n = len(m)
    d = 1.0
    for i in range(n):
        if m[i][i] == 0.0:
            for r in range(i + 1, n):
                if m[r][i] != 0.0:
                    m[i], m[r] = m[r], m[i]
                    d = -d
                    break
            else:
                return 0.0
        d *= m[i][i]
        for r in range(i + 1, n):
            f = m[r][i] / m[i][i]
            for c in range(i, n):
                m[r][c] -= f * m[i][c]
    return d


CHROMATIC = [0, 1, 2, 4, 5, 6]
REFINED = [0, 1, 2, 4, 5, 6, 7]


def pct(level):
    return cdiv((255 - level) * 100, 255)


def fit():
    a, rhs = [], [[], [], []]
    for col in CHROMATIC:
        c1, m1, y1 = ratio_gain(color[0][col], color[1][col], color[2][col])
        pc, pm, py = pct(c1), pct(m1), pct(y1)
        for ch, v in enumerate((pc, pm, py)):
            rhs[ch].append(pct(working[ch][col]) - v)
        a.append([max(0, pc - max(pm, py)), max(0, pm - max(pc, py)), max(0, py - max(pc, pm)),
                  max(0, min(pm, py) - pc), max(0, min(pc, py) - pm), max(0, min(pc, pm) - py)])
    d = det(a)
    if d == 0.0:
        raise SystemExit('singular default fit')
    for ch in range(3):
        for j in range(6):
            b = [[rhs[ch][r] if c == j else a[r][c] for c in range(6)] for r in range(6)]
            coef[ch][j] = f32(det(b) / d)


def refine():
    marks = [[0] * 3 for _ in range(7)]
    prev = None
    while True:
        changed = False
        results = []
        for col in REFINED:
            results.append(convert(color[0][col], color[1][col], color[2][col])[:3])
        if prev is None:
            prev = results
        for p, col in enumerate(REFINED):
            for ch in range(3):
                if marks[p][ch] == 2:
                    continue
                res, before, target = results[p][ch], prev[p][ch], stored_target[ch][col]
                if res > target and working[ch][col] >= 1:
                    if marks[p][ch] == -1:
                        working[ch][col] = before if target - before <= res - target else res
                        marks[p][ch] = 2
                        changed = False
                    else:
                        working[ch][col] -= 1
                        marks[p][ch] = 1
                        changed = True
                elif res < target and working[ch][col] < 255:
                    if marks[p][ch] == 1:
                        working[ch][col] = before if before - target <= target - res else res
                        marks[p][ch] = 2
                        changed = False
                    else:
                        working[ch][col] += 1
                        marks[p][ch] = -1
                        changed = True
        if not changed:
            return
        prev = results
        fit()


# BuildTables with the defaults: fit, output balance and black tables (built
# above), no GCR table (UCR chosen), no level tables, then the refinement.
fit()
refine()

GRID = [0, 40, 90, 128, 170, 215, 255]
print('// Generated by golden/convert_golden.py from the default parameters: r, g, b, c, m, y, k.')
for r in GRID:
    for g in GRID:
        for b in GRID:
            c, m, y, k = convert(r, g, b)
            print('{%d, %d, %d, %d, %d, %d, %d},' % (r, g, b, c, m, y, k))
