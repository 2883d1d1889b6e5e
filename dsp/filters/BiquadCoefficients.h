#pragma once

#include "dsp/filters/ComplexQuotient.h"
#include "dsp/filters/PoleZeroPair.h"

namespace Dsp {

// The designs set and evaluate sections at every sample of a glide: those functions are
// defined here, where the designs can inline them.

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

private:
  // c1 and c2 of (1 - r1 z^-1)(1 - r2 z^-1) for a real pair or a conjugate pair.
  static void FromRoots(Complex r1, Complex r2, double& c1, double& c2)
  {
    if (r1.imag() == 0.0) {
      c1 = -(r1.real() + r2.real());
      c2 = r1.real() * r2.real();
    } else {
      c1 = -2.0 * r1.real();
      c2 = std::norm(r1);
    }
  }
};

inline void BiquadCoefficients::Set(double a0_, double a1_, double a2_, double b0_, double b1_, double b2_)
{
  a0 = a0_;
  a1 = a1_ / a0_;
  a2 = a2_ / a0_;
  b0 = b0_ / a0_;
  b1 = b1_ / a0_;
  b2 = b2_ / a0_;
}

inline void BiquadCoefficients::SetFromPair(const PoleZeroPair& pair)
{
  a0 = 1.0;
  if (pair.IsSingle()) {
    a1 = -pair.pole1.real();
    a2 = 0.0;
    b0 = -pair.zero1.real();
    b1 = 1.0;
    b2 = 0.0;
    return;
  }
  FromRoots(pair.pole1, pair.pole2, a1, a2);
  FromRoots(pair.zero1, pair.zero2, b1, b2);
  b0 = 1.0;
}

inline Complex BiquadCoefficients::Response(Complex zInv, Complex zInv2) const
{
  const Complex numerator = b0 + b1 * zInv + b2 * zInv2;
  const Complex denominator = 1.0 + a1 * zInv + a2 * zInv2;
  return Quotient(numerator, denominator);
}

}  // namespace Dsp
