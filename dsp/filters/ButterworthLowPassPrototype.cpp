#include "dsp/filters/ButterworthLowPassPrototype.h"

#include <cmath>

#include "dsp/filters/MathConstants.h"

namespace Dsp {

// theta = (2i + 1) pi / (2n) + pi / 2
Complex ButterworthPole(int n, int i)
{
  const double theta = (2 * i + 1) * kPi / (2 * n) + kPi / 2;
  return Complex(std::cos(theta), std::sin(theta));
}

}  // namespace Dsp
