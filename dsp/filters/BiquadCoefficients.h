#pragma once

#include "dsp/filters/PoleZeroPair.h"

namespace Dsp {

// One second-order section. a0 is kept as designed; the other five are divided by it, so
//   y = b0*x + b1*x[n-1] + b2*x[n-2] - a1*y[n-1] - a2*y[n-2].
struct BiquadCoefficients
{
  void Set(double a0_, double a1_, double a2_, double b0_, double b1_, double b2_);
  // The section whose roots are the pair's poles and zeros (a0 = 1).
  void SetFromPair(const PoleZeroPair& pair);
  // Response at z, given z^-1 and z^-2.
  Complex Response(Complex zInv, Complex zInv2) const;
  PoleZeroPair Roots() const;

  double a0 = 1.0;
  double a1 = 0.0;
  double a2 = 0.0;
  double b1 = 0.0;
  double b2 = 0.0;
  double b0 = 1.0;
};

}  // namespace Dsp
