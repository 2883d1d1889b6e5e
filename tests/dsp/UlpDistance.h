#pragma once

#include <cfloat>
#include <cmath>

// |y - exact| in units of the last place of the double nearest to exact: 0.5 at most for a
// correctly rounded y, below 1 for one of the two doubles around exact.
inline double UlpDistance(double y, long double exact)
{
  if (std::isnan(y) || std::isnan(static_cast<double>(exact))) return std::isnan(y) == std::isnan(static_cast<double>(exact)) ? 0.0 : INFINITY;
  const double nearest = static_cast<double>(exact);
  if (nearest == 0.0) return y == 0.0 ? 0.0 : INFINITY;
  int exponent = 0;
  std::frexp(nearest, &exponent);
  const long double ulp = std::ldexp(1.0L, (exponent < DBL_MIN_EXP ? DBL_MIN_EXP : exponent) - DBL_MANT_DIG);
  return static_cast<double>(std::fabs(static_cast<long double>(y) - exact) / ulp);
}
