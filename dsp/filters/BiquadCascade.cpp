#include "dsp/filters/BiquadCascade.h"

#include <cmath>

#include "dsp/filters/MathConstants.h"

namespace Dsp {

Complex CascadeResponse(const BiquadCoefficients* stages, int stageCount, double f)
{
  const double w = kTwoPi * f;
  const Complex zInv = std::polar(1.0, -w);
  const Complex zInv2 = std::polar(1.0, -2.0 * w);
  Complex h(1.0);
  for (int i = 0; i < stageCount; ++i) h *= stages[i].Response(zInv, zInv2);
  return h;
}

void NormaliseCascade(BiquadCoefficients* stages, int stageCount, double w, double gain)
{
  if (stageCount == 0) return;
  const double scale = gain / std::abs(CascadeResponse(stages, stageCount, w / kTwoPi));
  stages[0].b0 *= scale;
  stages[0].b1 *= scale;
  stages[0].b2 *= scale;
}

}  // namespace Dsp
