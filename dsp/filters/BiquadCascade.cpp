#include "dsp/filters/BiquadCascade.h"

namespace Dsp {

void UnitCirclePoint::Compute(double f, uint64_t bits)
{
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

}  // namespace Dsp
