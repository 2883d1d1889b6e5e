#!/usr/bin/env python3
"""Writes dsp/BlockMathConstants.h: the constants of the block sine and arctangent that are
not simple fractions, computed here to 60 digits with the standard library alone.

    tools/blockmath/make_constants.py > dsp/BlockMathConstants.h

pi comes from Machin's formula, the arctangents from their Taylor series (after halving the
argument for 1/2 and 1/4 where needed: the series converge fast below 1/2). Each constant is
split into doubles whose sum carries it beyond double precision: pi/2 into three parts of 22
significant bits (so that k * part is exact for |k| < 2^31) and a rounded fourth part, the
arctangents of the reduction points into a rounded head and the rounded remainder."""
from decimal import Decimal, getcontext

getcontext().prec = 80


def atan_series(x):
    """arctan(x) for |x| <= 1/2: sum of (-1)^n x^(2n+1) / (2n+1)."""
    total, term, n = Decimal(0), x, 0
    while abs(term) > Decimal(10) ** -75:
        total += term / (2 * n + 1)
        term *= -x * x
        n += 1
    return total


PI = 16 * atan_series(Decimal(1) / 5) - 4 * atan_series(Decimal(1) / 239)
HALF_PI = PI / 2


def double(d):
    return float(d)  # correctly rounded: Decimal converts through its exact decimal string


def exact(f):
    return Decimal(f)  # a double's exact value


def truncated(d, bits):
    """d cut to its leading `bits` significant bits (d > 0)."""
    e = 0
    while d >= 2:
        d /= 2
        e += 1
    while d < 1:
        d *= 2
        e -= 1
    scaled = int(d * 2 ** (bits - 1))
    return Decimal(scaled) / Decimal(2) ** (bits - 1) * Decimal(2) ** e


def hi_lo(d):
    hi = double(d)
    return hi, double(d - exact(hi))


parts = []
rest = HALF_PI
for _ in range(3):
    p = truncated(rest, 22)
    parts.append(double(p))
    rest -= p
parts.append(double(rest))

points = [("0.25", Decimal(1) / 4), ("0.5", Decimal(1) / 2), ("1", Decimal(1)),
          ("2", Decimal(2)), ("4", Decimal(4))]
angles = {
    "0.25": atan_series(Decimal(1) / 4),
    "0.5": atan_series(Decimal(1) / 2),
    "1": PI / 4,
    "2": HALF_PI - atan_series(Decimal(1) / 2),
    "4": HALF_PI - atan_series(Decimal(1) / 4),
}

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
print("""};

}  // namespace BlockMathConstants
}  // namespace Kernwave""")
