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
  UpdateTaps();
}

void ShapeTable::UpdateTaps()
{
  const int n = Size();
  if (n == 0) {
    taps.clear();
    return;
  }
  taps.resize(2 * (n + 3));
  double* out = taps.data();
  for (const std::vector<double>* half : {&negative, &positive})
    for (int k = 0; k < n + 3; ++k) *out++ = (*half)[k < 1 ? 0 : (k - 1 < n ? k - 1 : n - 1)];
}

double ShapeTable::Lookup(double x) const
{
  double y = 0.0;
  VisitMode([&](auto curve) { y = curve(Dsp::StereoPair{x, x})[0]; });
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
