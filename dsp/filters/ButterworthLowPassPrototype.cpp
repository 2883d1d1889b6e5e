#include "dsp/filters/ButterworthLowPassPrototype.h"

#include "dsp/filters/DesignMath.h"
#include "dsp/filters/MathConstants.h"

namespace Dsp {

// theta = (2i + 1) pi / (2n) + pi / 2
Complex ButterworthPole(int n, int i)
{
  const double theta = (2 * i + 1) * kPi / (2 * n) + kPi / 2;
  double s, c;
  DesignMath::SinCos(theta, s, c);
  return Complex(c, s);
}

}  // namespace Dsp
