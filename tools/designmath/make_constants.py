#!/usr/bin/env python3
"""Writes dsp/filters/DesignMathConstants.h: the constants of the scalar design maths that
are not simple fractions, computed here to 80 digits with the standard library alone.

    tools/designmath/make_constants.py > dsp/filters/DesignMathConstants.h

pi comes from Machin's formula, ln 2 from 2 artanh(1/3). pi/2 is split into three parts of
22 significant bits (k * part exact for |k| < 2^31) and a rounded fourth, ln 2 into two
parts of 36 significant bits (k * part exact for |k| < 2^17) and a rounded third, pi/2 once
more into a rounded head and the rounded remainder; 2^(j/64) for j = 0..63 as a rounded head
and the rounded remainder (Decimal's power is correctly rounded to its 80 digits)."""
from decimal import Decimal
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
from precise_constants import HALF_PI, PI, hi_lo, series, split  # noqa: E402

LN2 = 2 * series(Decimal(1) / 3, 1)

half_pi = split(HALF_PI, 4, 22)
ln2 = split(LN2, 3, 36)
half_pi_hi, half_pi_lo = hi_lo(HALF_PI)
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
