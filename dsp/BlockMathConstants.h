#pragma once

// Written by tools/blockmath/make_constants.py; do not edit by hand.

namespace Kernwave {
namespace BlockMathConstants {

// 2/pi, rounded.
constexpr double kTwoOverPi = 0.6366197723675814;
// pi/2 = kHalfPi1 + kHalfPi2 + kHalfPi3 + kHalfPi4 to about 119 bits; the first three have
// 22 significant bits each.
constexpr double kHalfPi1 = 1.570796012878418;
constexpr double kHalfPi2 = 3.139164164167596e-07;
constexpr double kHalfPi3 = 6.223371969669989e-14;
constexpr double kHalfPi4 = 2.0222662487959506e-21;

// arctan of the reduction points 1/4, 1/2, 1, 2, 4 and of infinity, as head + tail.
struct Angle
{
  double hi;
  double lo;
};
constexpr Angle kAngles[] = {
  {0.24497866312686414, 1.0698755618734451e-17},  // arctan(0.25)
  {0.4636476090008061, 2.2698777452961687e-17},  // arctan(0.5)
  {0.7853981633974483, 3.061616997868383e-17},  // arctan(1)
  {1.1071487177940904, 9.40447137356638e-17},  // arctan(2)
  {1.3258176636680326, -8.824429373951136e-17},  // arctan(4)
  {1.5707963267948966, 6.123233995736766e-17},  // pi/2
};

// sin r = r + r z S(z) and cos r = 1 - z/2 + z^2 C(z) with z = r^2 <= (pi/4)^2, arctan t =
// t + t z A(z) with z = t^2 <= 0.1624^2: the coefficients of S, C and A from z^0 up, their
// Taylor series economised over those intervals.
constexpr double kSinPolynomial[] = {
  -0.16666666666666666,
  0.008333333333330948,
  -0.0001984126983675834,
  2.7557316102351845e-06,
  -2.505113179039597e-08,
  1.5918124622918354e-10,
};
constexpr double kCosPolynomial[] = {
  0.041666666666666664,
  -0.0013888888888887398,
  2.4801587298765455e-05,
  -2.7557317271565813e-07,
  2.087614622711128e-09,
  -1.1382629040483007e-11,
};
constexpr double kAtanPolynomial[] = {
  -0.33333333333333326,
  0.19999999999978266,
  -0.14285714272497443,
  0.11111108094184813,
  -0.09090580606551873,
  0.07673886017159458,
  -0.06150059146251636,
};

}  // namespace BlockMathConstants
}  // namespace Kernwave
