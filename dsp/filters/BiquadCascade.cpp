#include "dsp/filters/BiquadCascade.h"

#include <cstring>

#include "dsp/filters/DesignMath.h"
#include "dsp/filters/MathConstants.h"

namespace Dsp {

void UnitCirclePoint::MoveTo(double f)
{
  uint64_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  if (bits == fBits) return;
  fBits = bits;
  const double w = kTwoPi * f;
  double s, c;
  DesignMath::SinCos(-w, s, c);
  zInv = Complex(c, s);
  DesignMath::SinCos(-2.0 * w, s, c);
  zInv2 = Complex(c, s);
}

Complex CascadeResponse(const BiquadCoefficients* stages, int stageCount, double f)
{
  UnitCirclePoint z;
  z.MoveTo(f);
  return CascadeResponse(stages, stageCount, z);
}

Complex CascadeResponse(const BiquadCoefficients* stages, int stageCount, const UnitCirclePoint& z)
{
  Complex h(1.0);
  for (int i = 0; i < stageCount; ++i) h *= stages[i].Response(z.zInv, z.zInv2);
  return h;
}

void NormaliseCascade(BiquadCoefficients* stages, int stageCount, double w, double gain,
                      UnitCirclePoint& point)
{
  if (stageCount == 0) return;
  point.MoveTo(w / kTwoPi);
  const double scale = gain / DesignMath::Abs(CascadeResponse(stages, stageCount, point));
  stages[0].b0 *= scale;
  stages[0].b1 *= scale;
  stages[0].b2 *= scale;
}

}  // namespace Dsp
