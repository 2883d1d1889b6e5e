#include "dsp/filters/ChebyshevIPrototype.h"

#include <cmath>

#include "dsp/filters/DesignMath.h"
#include "dsp/filters/MathConstants.h"

namespace Dsp {

// eps = sqrt(1 / e^(-0.1 R ln 10) - 1), mu = asinh(1/eps) / n
ChebyshevShape ChebyshevIShape(int n, double rippleDb)
{
  const double eps = std::sqrt(1.0 / DesignMath::Exp(-0.1 * rippleDb * kLn10) - 1.0);
  const double mu = DesignMath::Log(1.0 / eps + std::sqrt(1.0 / (eps * eps) + 1.0)) / n;
  return {DesignMath::Sinh(mu), DesignMath::Cosh(mu)};
}

// k = 2i + 1 - n, phi = k pi / (2n); pole -sinh(mu) cos(phi) + j cosh(mu) sin(phi)
Complex ChebyshevIPole(int n, int i, const ChebyshevShape& shape)
{
  const int k = 2 * i + 1 - n;
  const double phi = k * kPi / (2 * n);
  double s, c;
  DesignMath::SinCos(phi, s, c);
  return Complex(-shape.sinhMu * c, shape.coshMu * s);
}

double ChebyshevIDcGain(int n, double rippleDb)
{
  return n % 2 == 1 ? 1.0 : DesignMath::Pow(10.0, -rippleDb / 20.0);
}

}  // namespace Dsp
