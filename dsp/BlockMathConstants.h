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

}  // namespace BlockMathConstants
}  // namespace Kernwave
