#include "dsp/filters/ButterworthLowShelfPrototype.h"

#include "dsp/filters/DesignMath.h"
#include "dsp/filters/MathConstants.h"

namespace Dsp {

// g = 10^(G/20), r = g^(1/(2n))
double ShelfRadius(int n, double gainDb)
{
  const double g = DesignMath::Pow(10.0, gainDb / 20.0);
  return DesignMath::Pow(g, 1.0 / (2 * n));
}

// theta = pi (1/2 - (2i + 1) / (2n)); pole -(1/r) e^(j theta), zero -r e^(j theta)
ShelfPoint ShelfPair(int n, int i, double r)
{
  const double theta = kPi * (0.5 - (2 * i + 1) / (2.0 * n));
  double s, c;
  DesignMath::SinCos(theta, s, c);
  const Complex direction(c, s);
  return {-(1.0 / r) * direction, -r * direction};
}

}  // namespace Dsp
