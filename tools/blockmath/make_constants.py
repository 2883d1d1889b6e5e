#!/usr/bin/env python3
"""Writes dsp/BlockMathConstants.h: the constants of the block sine and arctangent that are
not simple fractions, computed here to 60 digits with the standard library alone.

    tools/blockmath/make_constants.py > dsp/BlockMathConstants.h

pi comes from Machin's formula, the arctangents from their Taylor series (after halving the
argument for 1/2 and 1/4 where needed: the series converge fast below 1/2). Each constant is
split into doubles whose sum carries it beyond double precision: pi/2 into three parts of 22
significant bits (so that k * part is exact for |k| < 2^31) and a rounded fourth part, the
arctangents of the reduction points into a rounded head and the rounded remainder.

The polynomials of the kernels come from their Taylor series, economised in exact rational
arithmetic: expanded in Chebyshev polynomials over the interval the kernel evaluates them on
and cut after the terms the accuracy needs, which leaves an error close to the least any
polynomial of that length can have."""
from decimal import Decimal
from fractions import Fraction
from math import comb, factorial
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
from precise_constants import HALF_PI, PI, atan_series, hi_lo, split  # noqa: E402


def double(d):
    return float(d)  # correctly rounded: Decimal converts through its exact decimal string


parts = split(HALF_PI, 4, 22)

points = [("0.25", Decimal(1) / 4), ("0.5", Decimal(1) / 2), ("1", Decimal(1)),
          ("2", Decimal(2)), ("4", Decimal(4))]
angles = {
    "0.25": atan_series(Decimal(1) / 4),
    "0.5": atan_series(Decimal(1) / 2),
    "1": PI / 4,
    "2": HALF_PI - atan_series(Decimal(1) / 2),
    "4": HALF_PI - atan_series(Decimal(1) / 4),
}



def economised(series, top, count):
    """The first `count` coefficients (of z^0, z^1, ...) of the polynomial that the series
    (exact coefficients of a long Taylor polynomial) leaves over 0 <= z <= top when its
    Chebyshev expansion there is cut after `count` terms."""
    n = len(series)
    # z = top (u + 1) / 2, u in -1..1: the coefficients in u.
    in_u = [Fraction(0)] * n
    for k, a in enumerate(series):
        for j in range(k + 1):
            in_u[j] += a * (top / 2) ** k * comb(k, j)
    # u^k = 2^(1-k) (sum over j < k/2 of C(k, j) T_(k-2j), plus C(k, k/2) / 2 T_0 for even k).
    chebyshev = [Fraction(0)] * n
    chebyshev[0] = in_u[0]
    for k in range(1, n):
        for j in range(k // 2 + 1):
            weight = Fraction(comb(k, j), 2 ** (k - 1)) / (2 if 2 * j == k else 1)
            chebyshev[k - 2 * j] += in_u[k] * weight
    t = [[Fraction(1)], [Fraction(0), Fraction(1)]]
    while len(t) < count:
        following = [Fraction(0)] + [2 * c for c in t[-1]]
        for i, c in enumerate(t[-2]):
            following[i] -= c
        t.append(following)
    cut = [Fraction(0)] * count
    for m in range(count):
        for i, c in enumerate(t[m]):
            cut[i] += chebyshev[m] * c
    # Back to z: u = 2 z / top - 1.
    in_z = [Fraction(0)] * count
    for k, a in enumerate(cut):
        for j in range(k + 1):
            in_z[j] += a * comb(k, j) * (Fraction(2) / top) ** j * (-1) ** (k - j)
    return in_z


# sin r = r + r z S(z) and cos r = 1 - z/2 + z^2 C(z) with z = r^2 <= (pi/4)^2 < 0.6169;
# arctan t = t + t z A(z) with z = t^2 <= 0.1624^2. What the cut leaves out stays below
# 2^-56 of the result (an eighth of an ulp at most) for the sine, below 2^-59 for the others.
polynomials = [
    ("kSinPolynomial", [Fraction((-1) ** n, factorial(2 * n + 1)) for n in range(1, 16)],
     Fraction(6169, 10000), 6),
    ("kCosPolynomial", [Fraction((-1) ** n, factorial(2 * n)) for n in range(2, 17)],
     Fraction(6169, 10000), 6),
    ("kAtanPolynomial", [Fraction((-1) ** n, 2 * n + 1) for n in range(1, 30)],
     Fraction(1624, 10000) ** 2, 7),
]

print("""#pragma once

// Written by tools/blockmath/make_constants.py; do not edit by hand.

namespace Kernwave {
namespace BlockMathConstants {

// 2/pi, rounded.
constexpr double kTwoOverPi = %r;
// pi/2 = kHalfPi1 + kHalfPi2 + kHalfPi3 + kHalfPi4 to about 119 bits; the first three have
// 22 significant bits each.""" % double(2 / PI))
for i, p in enumerate(parts):
    print("constexpr double kHalfPi%d = %r;" % (i + 1, p))
print("""
// arctan of the reduction points 1/4, 1/2, 1, 2, 4 and of infinity, as head + tail.
struct Angle
{
  double hi;
  double lo;
};
constexpr Angle kAngles[] = {""")
for name, _ in points:
    hi, lo = hi_lo(angles[name])
    print("  {%r, %r},  // arctan(%s)" % (hi, lo, name))
hi, lo = hi_lo(HALF_PI)
print("  {%r, %r},  // pi/2" % (hi, lo))
print("};")
print("""
// sin r = r + r z S(z) and cos r = 1 - z/2 + z^2 C(z) with z = r^2 <= (pi/4)^2, arctan t =
// t + t z A(z) with z = t^2 <= 0.1624^2: the coefficients of S, C and A from z^0 up, their
// Taylor series economised over those intervals.""")
for name, series, top, count in polynomials:
    print("constexpr double %s[] = {" % name)
    for c in economised(series, top, count):
        print("  %r," % float(c))
    print("};")
print("""
}  // namespace BlockMathConstants
}  // namespace Kernwave""")
