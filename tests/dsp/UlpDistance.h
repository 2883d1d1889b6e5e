#pragma once

#include <cfloat>
#include <cmath>

// |y - exact| in units of the last place of doubles in exact's binade: 0.5 at most for a
// correctly rounded y, below 1 for one of the two doubles around exact. NaN is 0 from NaN.
inline double UlpDistance(double y, long double exact)
{
  if (std::isnan(y) || std::isnan(exact)) return std::isnan(y) && std::isnan(exact) ? 0.0 : INFINITY;
  if (exact == 0.0L) return y == 0.0 ? 0.0 : INFINITY;
  int exponent = 0;
  std::frexp(exact, &exponent);
  const int lowest = exponent < DBL_MIN_EXP ? DBL_MIN_EXP : exponent;
  const long double ulp = std::ldexp(1.0L, lowest - DBL_MANT_DIG);
  return static_cast<double>(std::fabs(static_cast<long double>(y) - exact) / ulp);
}
