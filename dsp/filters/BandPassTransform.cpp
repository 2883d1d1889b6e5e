#include "dsp/filters/BandPassTransform.h"

#include <cmath>

#include "dsp/filters/DesignMath.h"

namespace Dsp {

// b = 1 / tan((w2 - w1) / 2), q = b^2 (a^2 - 1)
BandPassTransform::BandPassTransform(double fc, double bw)
    : edges(fc, bw), b(1.0 / DesignMath::Tan((edges.w2 - edges.w1) / 2)), q(b * b * (edges.a * edges.a - 1.0))
{}

// u = (1 + c) / (1 - c), s = sqrt(4(q + 1) u^2 + 8(q - 1) u + 4(q + 1)),
// d = 2(b - 1) u + 2(b + 1), images (2ab u + 2ab -+ s) / d
BandImages BandPassTransform::Map(Complex c) const
{
  if (IsInfinity(c)) return {-1.0, 1.0};
  const double a = edges.a;
  const Complex u = (1.0 + c) / (1.0 - c);
  const Complex s = DesignMath::Sqrt(4.0 * (q + 1.0) * (u * u) + 8.0 * (q - 1.0) * u + 4.0 * (q + 1.0));
  const Complex d = 2.0 * (b - 1.0) * u + 2.0 * (b + 1.0);
  const Complex t = 2.0 * a * b * u + 2.0 * a * b;
  return {(t - s) / d, (t + s) / d};
}

// w = 2 atan(sqrt(tan((wn + w1) / 2) tan((wn + w2) / 2)))
double BandPassTransform::NormalW(double analogW) const
{
  return 2.0 * DesignMath::Atan(std::sqrt(DesignMath::Tan((analogW + edges.w1) / 2) *
                                          DesignMath::Tan((analogW + edges.w2) / 2)));
}

}  // namespace Dsp
