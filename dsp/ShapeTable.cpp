#include "dsp/ShapeTable.h"

#include "dsp/MathConstants.h"

namespace Kernwave {

void ShapeTable::Reset(int points)
{
  positive.resize(points);
  negative.resize(points);
  for (int i = 0; i < points; ++i) positive[i] = negative[i] = static_cast<double>(i) / points;
  mode = kHermite;
  step = 1.0 / points;
  exactSteps = points > 0 && (points & (points - 1)) == 0;
}

double ShapeTable::Lookup(double x) const
{
  double y = 0.0;
  VisitMode([&](auto curve) { y = curve(x); });
  return y;
}

void ShapeTable::Clamp()
{
  for (std::vector<double>* half : {&positive, &negative})
    for (double& v : *half) v = v > 1.0 ? 1.0 : (v < -1.0 ? -1.0 : v);
}

void ShapeTable::Normalise()
{
  for (std::vector<double>* half : {&positive, &negative}) {
    double peak = 0.0;
    for (double v : *half)
      if (std::fabs(v) > peak) peak = std::fabs(v);
    if (peak != 0.0)
      for (double& v : *half) v /= peak;
  }
}

void ShapeTable::FadeIn()
{
  const int n = Size() < 5 ? Size() : 5;
  for (int i = 0; i < n; ++i) {
    const double g = Dsp::DesignMath::Sin((i / 5.0) * kPi / 2.0);
    positive[i] *= g;
    negative[i] *= g;
  }
}

}  // namespace Kernwave
