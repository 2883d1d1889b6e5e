#include "dsp/filters/BandStopTransform.h"

#include "dsp/filters/DesignMath.h"
#include "dsp/filters/MathConstants.h"

namespace Dsp {

// b = tan((w2 - w1) / 2)
BandStopTransform::BandStopTransform(double fc_, double bw)
    : fc(fc_), edges(fc_, bw), b(DesignMath::Tan((edges.w2 - edges.w1) / 2))
{}

// u = (1 + c) / (1 - c), or -1 for infinity;
// s = sqrt(4(a^2 + b^2 - 1) u^2 + 8(b^2 - a^2 + 1) u + 4(a^2 + b^2 - 1)),
// d = (b - 1) u + (b + 1), images (a (1 - u) +- s/2) / d
BandImages BandStopTransform::Map(Complex c) const
{
  const double a = edges.a;
  const Complex u = IsInfinity(c) ? Complex(-1.0) : (1.0 + c) / (1.0 - c);
  const double outer = a * a + b * b - 1.0;
  const Complex s = DesignMath::Sqrt(4.0 * outer * (u * u) + 8.0 * (b * b - a * a + 1.0) * u + 4.0 * outer);
  const Complex d = (b - 1.0) * u + (b + 1.0);
  const Complex t = a * (1.0 - u);
  return {(t + s / 2.0) / d, (t - s / 2.0) / d};
}

double BandStopTransform::NormalW(double) const { return fc < 0.25 ? kPi : 0.0; }

}  // namespace Dsp
