#pragma once

#include <cfloat>
#include <cmath>

#include "dsp/filters/PoleZeroPair.h"

namespace Dsp {

// n / d by Smith's method in the order of operations of the compiler's complex division
// helper, so the quotient has the same bits, written inline: the transforms and the
// normalisation divide at every redesign of a glide, where the call and its range scaling
// cost more than the arithmetic. Operands that need the helper's care (a subnormal ratio, a
// zero, infinite or NaN divisor, an overflowing result) still go to it.
inline Complex Quotient(Complex n, Complex d)
{
  const double a = n.real(), b = n.imag(), c = d.real(), e = d.imag();
  double ratio, x, y;
  if (std::fabs(c) < std::fabs(e)) {
    ratio = c / e;
    const double denominator = c * ratio + e;
    x = (a * ratio + b) / denominator;
    y = (b * ratio - a) / denominator;
  } else {
    ratio = e / c;
    const double denominator = e * ratio + c;
    x = (b * ratio + a) / denominator;
    y = (b - a * ratio) / denominator;
  }
  const bool ordinaryRatio = ratio == 0.0 || std::fabs(ratio) > DBL_MIN;
  if (ordinaryRatio && std::isfinite(x) && std::isfinite(y)) return Complex(x, y);
  return n / d;
}

}  // namespace Dsp
