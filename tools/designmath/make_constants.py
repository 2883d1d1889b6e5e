#!/usr/bin/env python3
"""Writes dsp/filters/DesignMathConstants.h: the constants of the scalar design maths that
are not simple fractions, computed here to 80 digits with the standard library alone.

    tools/designmath/make_constants.py > dsp/filters/DesignMathConstants.h

pi comes from Machin's formula, ln 2 from 2 artanh(1/3). pi/2 is split into three parts of
22 significant bits (k * part exact for |k| < 2^31) and a rounded fourth, ln 2 into two
parts of 36 significant bits (k * part exact for |k| < 2^17) and a rounded third, pi/2 once
more into a rounded head and the rounded remainder; 2^(j/64) for j = 0..63 as a rounded head
and the rounded remainder (Decimal's power is correctly rounded to its 80 digits)."""
from decimal import Decimal, getcontext

getcontext().prec = 80


def series(x, odd_sign):
    """sum of s^n x^(2n+1) / (2n+1) with s = -1 (arctangent) or 1 (area tangent), |x| <= 1/2."""
    total, term, n = Decimal(0), x, 0
    while abs(term) > Decimal(10) ** -78:
        total += term / (2 * n + 1)
        term *= odd_sign * x * x
        n += 1
    return total


PI = 16 * series(Decimal(1) / 5, -1) - 4 * series(Decimal(1) / 239, -1)
HALF_PI = PI / 2
LN2 = 2 * series(Decimal(1) / 3, 1)


def truncated(d, bits):
    """d cut to its leading `bits` significant bits (d > 0)."""
    e = 0
    while d >= 2:
        d /= 2
        e += 1
    while d < 1:
        d *= 2
        e -= 1
    return Decimal(int(d * 2 ** (bits - 1))) / Decimal(2) ** (bits - 1) * Decimal(2) ** e


def split(d, count, bits):
    """count - 1 parts of `bits` significant bits, then the rounded rest."""
    parts = []
    for _ in range(count - 1):
        p = truncated(d, bits)
        parts.append(float(p))
        d -= p
    parts.append(float(d))
    return parts


half_pi = split(HALF_PI, 4, 22)
ln2 = split(LN2, 3, 36)
half_pi_hi = float(HALF_PI)
half_pi_lo = float(HALF_PI - Decimal(half_pi_hi))


def hi_lo(d):
    hi = float(d)
    return hi, float(d - Decimal(hi))


powers = [hi_lo(Decimal(2) ** (Decimal(j) / 64)) for j in range(64)]

print("""#pragma once

// Written by tools/designmath/make_constants.py; do not edit by hand.

namespace Dsp::DesignMathConstants {

// 2/pi and 64/ln 2, rounded.
constexpr double kTwoOverPi = %r;
constexpr double kSixtyFourOverLn2 = %r;
// pi/2 = kHalfPi1 + kHalfPi2 + kHalfPi3 + kHalfPi4 to about 119 bits; the first three have
// 22 significant bits each.""" % (float(2 / PI), float(64 / LN2)))
for i, p in enumerate(half_pi):
    print("constexpr double kHalfPi%d = %r;" % (i + 1, p))
print("// ln 2 = kLn2Hi + kLn2Mid + kLn2Lo to about 125 bits; the first two have 36 significant bits.")
for name, p in zip(("Hi", "Mid", "Lo"), ln2):
    print("constexpr double kLn2%s = %r;" % (name, p))
print("""// pi/2 as a rounded head and the rounded remainder.
constexpr double kHalfPiHi = %r;
constexpr double kHalfPiLo = %r;

// 2^(j/64) as head + tail.
struct Power
{
  double hi;
  double lo;
};
constexpr Power kPowersOfTwo[64] = {""" % (half_pi_hi, half_pi_lo))
for j, (hi, lo) in enumerate(powers):
    print("  {%r, %r},  // 2^(%d/64)" % (hi, lo, j))
print("""};

}  // namespace Dsp::DesignMathConstants""")
