#include "dsp/filters/BiquadCoefficients.h"

#include "dsp/filters/ComplexQuotient.h"

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

// a1 and a2 of (1 - r1 z^-1)(1 - r2 z^-1) for a real pair or a conjugate pair.
void FromRoots(Complex r1, Complex r2, double& c1, double& c2)
{
  if (r1.imag() == 0.0) {
    c1 = -(r1.real() + r2.real());
    c2 = r1.real() * r2.real();
  } else {
    c1 = -2.0 * r1.real();
    c2 = std::norm(r1);
  }
}

}  // namespace

void BiquadCoefficients::Set(double a0_, double a1_, double a2_, double b0_, double b1_, double b2_)
{
  a0 = a0_;
  a1 = a1_ / a0_;
  a2 = a2_ / a0_;
  b0 = b0_ / a0_;
  b1 = b1_ / a0_;
  b2 = b2_ / a0_;
}

void BiquadCoefficients::SetFromPair(const PoleZeroPair& pair)
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

Complex BiquadCoefficients::Response(Complex zInv, Complex zInv2) const
{
  const Complex numerator = b0 + b1 * zInv + b2 * zInv2;
  const Complex denominator = 1.0 + a1 * zInv + a2 * zInv2;
  return Quotient(numerator, denominator);
}

PoleZeroPair BiquadCoefficients::Roots() const
{
  PoleZeroPair pair;
  QuadraticRoots(1.0, a1, a2, pair.pole1, pair.pole2);
  QuadraticRoots(b0, b1, b2, pair.zero1, pair.zero2);
  return pair;
}

}  // namespace Dsp
