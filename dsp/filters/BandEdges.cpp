#include "dsp/filters/BandEdges.h"

#include "dsp/filters/DesignMath.h"
#include "dsp/filters/MathConstants.h"
#include "dsp/filters/NyquistLimit.h"

namespace Dsp {

BandEdges::BandEdges(double fc, double bw)
{
  Place(fc, bw);
  // A band wholly at or above Nyquist leaves the lower edge on or past the upper limit and
  // the design unstable; such a band is centred just below Nyquist instead.
  if (!(w1 < kHighest)) Place(kNyquistLimit, bw);
}

void BandEdges::Place(double fc, double bw)
{
  const double ww = kTwoPi * bw;
  w1 = kTwoPi * fc - ww / 2;
  w2 = w1 + ww;
  if (w1 < kLowest) w1 = kLowest;
  if (w2 > kHighest) w2 = kHighest;
  a = DesignMath::Cos((w1 + w2) / 2) / DesignMath::Cos((w2 - w1) / 2);
}

}  // namespace Dsp
