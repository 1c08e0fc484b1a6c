#!/usr/bin/env python3
"""Reference values of the RGB to CMYK conversion, computed independently of
the C++ model from the separation's own formulas.

Two parameter sets: "defaults" (the parameters a new model starts with) and
"curves" (input balance from the grey table and from five points, five-point
output balance and black curves, GCR with under-colour addition and a total
ink limit whose held value a single-precision product would get wrong).
Prints one row {r, g, b, c, m, y, k} per colour of a small grid, for the C++
test to embed. Run:
    python3 convert_golden.py defaults > ../ConvertGolden.inc
    python3 convert_golden.py curves > ../ConvertGoldenCurves.inc
"""
import math
import struct
import sys
from fractions import Fraction


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


# --- parameter sets (percent as the file carries them) ----------------------
# Grey table columns C, M, Y, darkest first.
GREY_PCT = [
    [98, 96, 93, 86, 78, 64, 48, 33, 21, 12, 6],
    [99, 97, 94, 86, 76, 61, 44, 30, 20, 12, 7],
    [100, 100, 98, 91, 81, 65, 47, 32, 21, 13, 8],
]
BALANCE_PCT = [
    [100, 95, 90, 85, 80, 75, 70, 65, 60, 55, 50, 45, 40, 35, 30, 25, 20, 15, 10, 6, 3],
    [93, 88, 83, 79, 73, 67, 62, 56, 51, 46, 41, 36, 32, 27, 23, 18, 13, 10, 6, 4, 2],
    [95, 90, 85, 80, 75, 69, 64, 58, 53, 48, 42, 37, 33, 28, 24, 19, 14, 11, 7, 5, 2],
]
# Colour table rows C, M, Y, C%, M%, Y%; columns C M Y K R G B W.
COLOR_PCT = [
    [73, 25, 6, 99, 29, 74, 76, 0],
    [47, 69, 25, 99, 71, 55, 77, 0],
    [36, 41, 71, 97, 75, 75, 52, 0],
    [88, 32, 15, 95, 25, 85, 91, 3],
    [13, 92, 37, 95, 90, 29, 79, 2],
    [18, 7, 92, 95, 80, 80, 20, 2],
]


def default_params():
    return {
        'switch': {3: 0, 4: 0, 5: 1, 7: 1, 8: 1, 9: 1, 10: 1},
        'gray_pct': GREY_PCT,
        'inbal_source': [1, 1, 1],
        'inbal_points': [[0, 65, 128, 192, 255]] * 3,
        'balance_pct': BALANCE_PCT,
        'outbal_source': [1, 1, 1],
        'outbal_points': [[0, 65, 128, 192, 255]] * 3,
        'color_pct': COLOR_PCT,
        'ratio': [0.55, 0.55, 0.75],
        'gain': [0.52, 0.55, 0.66, 1.77, 0.43, 1.30],  # CN CP MN MP YN YP
        'black_level': 3.0,
        'black': (0, 30, 68, 100),  # start, start point, end, end point
        'black_source': 1,
        'black_points': [12, 100, 170, 221, 244],
        'max_ink': 320,
        'ucr_control': 1,
        'uca': 0,
        'ucr_start': [0, 0, 0],
        'ucr_amount': [8, 8, 8],
    }


def curves_params():
    p = default_params()
    p['switch'] = {3: 1, 4: 1, 5: 1, 7: 1, 8: 1, 9: 1, 10: 1}
    p['inbal_source'] = [1, 0, 0]
    p['inbal_points'] = [[0, 65, 128, 192, 255], [0, 80, 150, 210, 255], [12, 50, 110, 180, 240]]
    p['outbal_source'] = [0, 1, 0]
    p['outbal_points'] = [[6, 60, 115, 185, 250], [0, 65, 128, 192, 255], [0, 75, 140, 200, 248]]
    p['black_level'] = 2.5
    p['black_source'] = 0
    p['black_points'] = [30, 95, 165, 225, 250]
    p['max_ink'] = 235  # (235 + 15) * 2.55 is just below 637.5
    p['ucr_control'] = 0
    p['uca'] = 40
    return p


PARAMS = {'defaults': default_params, 'curves': curves_params}

# The table build's abscissae of a five-point curve: i/4 for i = 0, 255, 510, 765, 1020.
QUARTERS = [cdiv(i, 4) for i in (0, 255, 510, 765, 1020)]


# --- table helpers --------------------------------------------------------------
def linear_segment(table, x0, x1, y0, y1, cap):
    if x0 == x1:
        table[x1] = y0
        return
    if x0 > x1:
        return
    for x in range(x0, x1 + 1):
        table[x] = min(cap, trunc((x - x0) * (y1 - y0) / (x1 - x0) + 0.5) + y0)


def gray_to_table(column, m_column, table, n, cap):
    """The grey column as abscissae, the grey table's M column as ordinates."""
    for x in range(0, column[0]):
        table[x] = m_column[0]
    for k in range(n - 1):
        linear_segment(table, column[k], column[k + 1], m_column[k], m_column[k + 1], cap)
    for x in range(column[n - 1], cap + 1):
        table[x] = m_column[n - 1]


def balance_to_table(row, table, n, cap):
    if n < 2:
        return
    for k in range(n - 1):
        linear_segment(table, cdiv(k * cap, n - 1), cdiv((k + 1) * cap, n - 1), row[k], row[k + 1], cap)


def five_point_curve(n, xs, ys):
    """The degree-4 polynomial through the five points at 0..n-1, truncated and
    clamped. Computed exactly: a value that a double could put on either side
    of an integer would make the reference unsure, so it is refused."""
    table = []
    for i in range(n):
        value = Fraction(0)
        for k in range(5):
            term = Fraction(ys[k])
            for j in range(5):
                if j != k:
                    term *= Fraction(i - xs[j], xs[k] - xs[j])
            value += term
        if i not in xs and value.denominator == 1:
            raise SystemExit('five-point curve %s hits the integer %s at %d' % (ys, value, i))
        if i not in xs and abs(value - round(value)) < Fraction(1, 10**9):
            raise SystemExit('five-point curve %s is too near an integer at %d' % (ys, i))
        table.append(clamp(trunc(value), 0, n - 1))
    return table


class Separation:
    def __init__(self, p):
        self.switch = p['switch']
        self.gray = [[P(v) for v in col] for col in p['gray_pct']]
        self.gray_count = len(p['gray_pct'][0])
        self.balance = [[P(v) for v in row] for row in p['balance_pct']]
        self.balance_count = len(p['balance_pct'][0])
        self.color = [[P(v) for v in row] for row in p['color_pct']]
        self.stored_target = self.color[3:6]
        self.working = [row[:] for row in self.stored_target]
        self.ratio = [f32(r) for r in p['ratio']]
        self.gain = [f32(g) for g in p['gain']]
        self.black_level = f32(p['black_level'])
        self.black_start, self.black_start_point, self.black_end, self.black_end_point = p['black']
        # The held total ink: the single-precision 2.55 (2.5499999523...) in a
        # double product.
        self.total_ink_held = trunc((p['max_ink'] + 15) * f32(2.55) + 0.5)
        self.ucr_control = p['ucr_control']
        self.uca = p['uca']
        self.ucr_start = p['ucr_start']
        self.ucr_amount = p['ucr_amount']
        self.ucr_smooth = 5
        self.coef = [[0.0] * 6 for _ in range(3)]

        # BuildTables: the fit first, then the tables, then the refinement.
        if self.switch[5]:
            self.fit()
        self.in_table = [list(range(256)) for _ in range(3)]
        if self.switch[3]:
            for ch in range(3):
                if p['inbal_source'][ch]:
                    gray_to_table(self.gray[ch], self.gray[1], self.in_table[ch], self.gray_count, 255)
                else:
                    self.in_table[ch] = five_point_curve(256, QUARTERS, p['inbal_points'][ch])
        self.out_table = [list(range(256)) for _ in range(3)]
        if self.switch[7]:
            for ch in range(3):
                if p['outbal_source'][ch]:
                    balance_to_table(self.balance[ch], self.out_table[ch], self.balance_count, 255)
                else:
                    self.out_table[ch] = five_point_curve(256, QUARTERS, p['outbal_points'][ch])
        if p['black_source']:
            self.black = self.parametric_black()
        else:
            self.black = five_point_curve(256, QUARTERS, p['black_points'])
        self.gcr = list(range(256))
        if self.switch[9] and self.ucr_control == 0:
            self.build_gcr()
        # The level curves (switch 4) take no part in a conversion.
        if self.switch[5]:
            self.refine()

    def parametric_black(self):
        E, S = P(self.black_end), P(self.black_start)
        e, s = P(self.black_end_point), P(self.black_start_point)
        if self.black_level == 0 or self.black_start_point == 100:
            return [255] * 256
        black = [255] * 256
        for i in range(e):
            black[i] = cdiv(E * i, e)
        scale = 255.0 / s
        for i in range(e, s):
            u = (255 - i * scale) / (255 - e * scale)
            black[i] = S - trunc(math.pow(u, 10.0 / self.black_level) * (S - E) + 0.5)
        for i in range(s, 256):
            black[i] = S
        return [clamp(v) for v in black]

    def build_gcr(self):
        if self.black_level <= 0:
            return
        for j in range(256):
            self.gcr[j] = j + trunc(f32(f32((255 - self.black[j]) * self.black_level) * f32(0.1)))
        n = next((j for j in range(256) if self.black[j] >= 128), 256)
        for j in range(n):
            self.gcr[j] -= cdiv(self.uca * abs(127 - self.black[j]), 100)
        # Every table entry is a level.
        self.gcr = [clamp(v) for v in self.gcr]

    def ratio_gain(self, c, m, y):
        rc, rm, ry = self.ratio
        dc = c - rc * m - (1 - rc) * y
        dm = m - rm * c - (1 - rm) * y
        dy = y - ry * m - (1 - ry) * c

        def apply(x, d, neg, pos):
            return x + trunc(max(d, 0) * pos + min(d, 0) * neg)

        g = self.gain
        return (apply(c, dc, g[0], g[1]), apply(m, dm, g[2], g[3]), apply(y, dy, g[4], g[5]))

    def convert(self, r, g, b):
        c, m, y = r, g, b
        if self.switch[3]:
            c, m, y = self.in_table[0][c], self.in_table[1][m], self.in_table[2][y]
        if self.switch[5]:
            c1, m1, y1 = self.ratio_gain(c, m, y)
            amounts = [
                min(0, c1 - min(m1, y1)), min(0, m1 - min(y1, c1)), min(0, y1 - min(c1, m1)),
                min(0, max(m1, y1) - c1), min(0, max(y1, c1) - m1), min(0, max(c1, m1) - y1),
            ]
            res = []
            for ch, base in enumerate((c1, m1, y1)):
                res.append(base + trunc(sum(self.coef[ch][s_] * amounts[s_] for s_ in range(6))))
            c, m, y = res
        c, m, y = clamp(c), clamp(m), clamp(y)
        mx, mn = max(c, m, y), min(c, m, y)
        k = 255
        if self.switch[8]:
            k = clamp(self.black[mx] + cdiv(mx - mn, 15))
        if self.switch[9]:
            if self.ucr_control == 1:
                vals = [c, m, y]
                new = vals[:]
                for ch in range(3):
                    ps = P(self.ucr_start[ch])
                    if ps > vals[ch]:
                        v = ps - cdiv(mx - mn, self.ucr_smooth) - mx
                        if v > 0:
                            new[ch] = min(255, vals[ch] + trunc(self.ucr_amount[ch] * 0.01 * v))
                c, m, y = new
            else:
                lift = self.gcr[mx] - mx
                c, m, y = clamp(c + lift), clamp(m + lift), clamp(y + lift)
        if self.switch[10]:
            total = 765 - c - m - y + cdiv(255 * self.black_end + 50, 100)
            if total > self.total_ink_held:
                lift = cdiv(total - self.total_ink_held, 3)
                c, m, y = min(255, c + lift), min(255, m + lift), min(255, y + lift)
        if self.switch[7]:
            hi, lo = max(c, m, y), min(c, m, y)
            t = cdiv(hi - lo, 3)
            vals = [c, m, y]
            for ch in range(3):
                target = self.out_table[ch][vals[ch]]
                vals[ch] = min(max(vals[ch], target - t), target + t)
            c, m, y = vals
        return clamp(c), clamp(m), clamp(y), clamp(k)

    def fit(self):
        a, rhs = [], [[], [], []]
        for col in CHROMATIC:
            c1, m1, y1 = self.ratio_gain(self.color[0][col], self.color[1][col], self.color[2][col])
            pc, pm, py = pct(c1), pct(m1), pct(y1)
            for ch, v in enumerate((pc, pm, py)):
                rhs[ch].append(pct(self.working[ch][col]) - v)
            a.append([max(0, pc - max(pm, py)), max(0, pm - max(pc, py)), max(0, py - max(pc, pm)),
                      max(0, min(pm, py) - pc), max(0, min(pc, py) - pm), max(0, min(pc, pm) - py)])
        d = det(a)
        if d == 0.0:
            raise SystemExit('singular fit')
        for ch in range(3):
            for j in range(6):
                b = [[rhs[ch][r] if c == j else a[r][c] for c in range(6)] for r in range(6)]
                self.coef[ch][j] = f32(det(b) / d)

    def refine(self):
        # The refinement converts with every table built.
        marks = [[0] * 3 for _ in range(7)]
        prev = None
        working = self.working
        while True:
            changed = False
            results = []
            for col in REFINED:
                results.append(self.convert(self.color[0][col], self.color[1][col], self.color[2][col])[:3])
            if prev is None:
                prev = results
            for p, col in enumerate(REFINED):
                for ch in range(3):
                    if marks[p][ch] == 2:
                        continue
                    res, before, target = results[p][ch], prev[p][ch], self.stored_target[ch][col]
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
            self.fit()


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


def main():
    name = sys.argv[1] if len(sys.argv) > 1 else 'defaults'
    model = Separation(PARAMS[name]())
    grid = [0, 40, 90, 128, 170, 215, 255]
    print('// Generated by golden/convert_golden.py %s: r, g, b, c, m, y, k.' % name)
    for r in grid:
        for g in grid:
            for b in grid:
                c, m, y, k = model.convert(r, g, b)
                print('{%d, %d, %d, %d, %d, %d, %d},' % (r, g, b, c, m, y, k))


if __name__ == '__main__':
    main()
