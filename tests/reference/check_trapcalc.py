#!/usr/bin/env python3
"""Checks trapcalc against a second, independent implementation of the trap model.

Generates many designs (ordinary traps from 1.8 to 54 MHz in both unit systems, and
zeros, negatives, tiny, huge and non-finite inputs), solves them here in Python, with
exact decimal rounding of the texts, and compares every text of every line with what
trapcalc prints. Usage: check_trapcalc.py PATH_TO_TRAPCALC
"""
import math
import random
import re
import subprocess
import sys
from decimal import Decimal, ROUND_HALF_UP, localcontext

NUMBER = re.compile(r"[ \t\n\v\f\r]*([+-]?(?:\d+\.?\d*|\.\d+)(?:[eEdD][+-]?\d+)?)")


def atof(text):
    m = NUMBER.match(text)
    if not m:
        return 0.0
    try:
        return float(m.group(1).replace("d", "e").replace("D", "e"))
    except OverflowError:
        return math.copysign(math.inf, -1.0 if m.group(1).startswith("-") else 1.0)


def fmt(x, decimals):
    if math.isnan(x):
        return "-nan" if math.copysign(1.0, x) < 0 else "nan"
    if math.isinf(x):
        return "-inf" if x < 0 else "inf"
    with localcontext() as context:
        context.prec = 400
        text = str(Decimal(x).quantize(Decimal(1).scaleb(-decimals), rounding=ROUND_HALF_UP))
    if math.copysign(1.0, x) < 0 and not text.startswith("-"):
        text = "-" + text
    return text


def solve_cubic(c):
    c = list(c)
    if c[0] != 1.0:
        for k in (1, 2, 3):
            c[k] = div(c[k], c[0])
    a1, a2, a3 = c[1], c[2], c[3]
    h = a1 * 0.3333333333333333
    q = ((h * a1 * 0.6666666666666666 - a2) * h + a3) * 0.5
    r = (h * a1 - a2) * 0.3333333333333333
    r3 = r * r * r
    d = q * q - r3
    re_, im = [0.0] * 3, [0.0] * 3
    if d >= 0:
        s = c_call(math.pow, sqrt(d) + abs(q), 0.3333333333333333)
        if s != 0:
            if q > 0:
                s = -s
            t = div(r, s)
        else:
            s, t = q, r3
        y = sqrt(0.75) * (s - t)
        sigma = t + s
        e = sigma * (-0.5) - h
        x0 = sigma - h
        re_[1], im[1] = e, y
        if (sigma > 0) == (h > 0):
            re_[0], im[0], re_[2], im[2] = x0, 0.0, e, -y
        else:
            re_[0], im[0], re_[2], im[2] = e, -y, x0, 0.0
        return re_, im
    if q == 0:
        theta = math.atan(1.0) * 0.6666666666666666
    else:
        theta = c_call(math.atan, div(sqrt(-d), abs(q))) * 0.3333333333333333
    R = 2.0 * sqrt(r) if q < 0 else -2.0 * sqrt(r)
    u1 = c_call(math.cos, theta) * R
    u2 = -(c_call(math.sin, theta) * sqrt(0.75) * R) - u1 * 0.5
    x1, x2, x3 = u1 - h, u2 - h, (-u2 - u1) - h
    if abs(x2) < abs(x1):
        re_[2], z = x1, x2
    else:
        re_[2], z = x2, x1
    if abs(z) < abs(x3):
        re_[1], re_[0] = x3, z
    else:
        re_[1], re_[0] = z, x3
    return re_, [0.0, 0.0, 0.0]


def div(a, b):
    """IEEE division, which Python refuses for a zero divisor."""
    try:
        return a / b
    except ZeroDivisionError:
        if math.isnan(a):
            return a
        if a == 0:
            return DEFAULT_NAN
        return math.copysign(math.inf, a) * math.copysign(1.0, b)


# The NaN that the hardware makes of an invalid operation (its sign is the machine's).
DEFAULT_NAN = math.inf - math.inf


def c_call(function, *args):
    """A libm call with C's answers where Python raises instead."""
    try:
        return function(*args)
    except ValueError:
        return DEFAULT_NAN
    except OverflowError:
        return math.inf


def sqrt(x):
    return c_call(math.sqrt, x)


def resonant(l, c):
    return div(1000000.0, sqrt(l * c) * 6.283185307179586)


def wheeler(d, n, length):
    return div(d * d * n * n, d * 18.0 + length * 40.0)


def solve_trap(f, df, dc, cp, metric, texts):
    k = 1.0
    if metric:
        dc = dc * 0.39370078740157477
        df = df * 0.39370078740157477
        cp = cp * 0.3048000000012192
        k = 2.54
    D = df + dc
    w = f * 6.283185307179586
    coef = [((w * w) * (D * D)) * D * cp * 3.141592653589793,
            ((w * w) * (D * D)) * cp,
            dc * (-480000000.0),
            D * (-216000000.0)]
    re_, im = solve_cubic(coef)
    for slot in range(3):
        n = re_[slot]
        if not (im[slot] == 0 and n >= 0):
            continue
        cable = ((df + dc) * n) * 3.141592653589793 + 1.0
        ctot = (cable * cp) * 0.08333333333333333
        L = div(1.0, (f * 0.006283185307179586) * (f * 0.006283185307179586) * ctot)
        coil = dc * n
        one = cp * 0.08333333333333333
        fr = resonant(L, ctot)
        e = div(1.0, df * 3.141592653589793)
        L2 = wheeler(df + dc, n + e, coil + dc * e)
        texts[:] = [fmt(n, 2), fmt(coil * k, 2), fmt(cable * k, 2),
                    fmt(div(dc * n, df + dc), 2), fmt(L, 3), fmt(ctot, 2),
                    fmt((f * L) * 6.283185307179586, 2),
                    fmt(div(fr - resonant(L, ctot + one), k), 2),
                    fmt(div(resonant(L, ctot) - resonant(L2, ctot + one), k), 2)]


def designs(rng):
    for _ in range(20000):
        metric = rng.random() < 0.5
        f = rng.uniform(1.8, 54.0)
        df, dc, cp = rng.uniform(0.5, 6.0), rng.uniform(0.1, 0.5), rng.uniform(15, 35)
        if metric:
            df, dc, cp = df * 2.54, dc * 2.54, cp * 3.280839895
        if rng.random() < 0.3:  # values typed with three decimals
            f, df, dc, cp = (float("%.3f" % v) for v in (f, df, dc, cp))
        yield [repr(f), repr(df), repr(dc), repr(cp), "1" if metric else "0"]
    odd = ["0", "-0", "-1", "1e-300", "1e300", "1e308", "-1e308", "5e-324", "1e999",
           "-1e999", "inf", "nan", "7,1", "1d2", ".5", "3", "0.001", "1000", "-7.055"]
    for _ in range(10000):
        row = [rng.choice(odd) if rng.random() < 0.5 else repr(rng.uniform(-60, 60))
               for _ in range(4)]
        yield row + [rng.choice("01")]


def main():
    rng = random.Random(20261211)
    lines = [" ".join(d) for d in designs(rng)]
    out = subprocess.run([sys.argv[1]], input="\n".join(lines) + "\n", text=True,
                         capture_output=True, check=True).stdout.split("\n")
    texts = [""] * 9
    failures = 0
    for i, line in enumerate(lines):
        fields = line.split()
        values = [atof(x) for x in fields[:4]]
        solve_trap(*values, fields[4] == "1", texts)
        expected = "\t".join(texts)
        if out[i] != expected:
            failures += 1
            if failures <= 10:
                print("line %d: %s\n  trapcalc:  %r\n  reference: %r" % (i + 1, line, out[i],
                                                                         expected))
    print("%d designs, %d differences" % (len(lines), failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
