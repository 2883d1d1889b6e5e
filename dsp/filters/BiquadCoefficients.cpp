#include "dsp/filters/BiquadCoefficients.h"
namespace Dsp {

namespace {

// Roots of c0*z^2 + c1*z + c2; a polynomial of first degree gives one root and 0.
void QuadraticRoots(double c0, double c1, double c2, Complex& r1, Complex& r2)
{
  if (c0 == 0.0) {
    r1 = c1 != 0.0 ? Complex(-c2 / c1) : Complex(0.0);
    r2 = 0.0;
    return;
  }
  const Complex root = std::sqrt(Complex(c1 * c1 - 4.0 * c0 * c2));
  r1 = (-c1 + root) / (2.0 * c0);
  r2 = (-c1 - root) / (2.0 * c0);
}

}  // namespace

PoleZeroPair BiquadCoefficients::Roots() const
{
  PoleZeroPair pair;
  QuadraticRoots(1.0, a1, a2, pair.pole1, pair.pole2);
  QuadraticRoots(b0, b1, b2, pair.zero1, pair.zero2);
  return pair;
}

}  // namespace Dsp
