#include "dsp/filters/BandEdges.h"

#include <cmath>

#include "dsp/filters/MathConstants.h"

namespace Dsp {

BandEdges::BandEdges(double fc, double bw)
{
  const double ww = kTwoPi * bw;
  w1 = kTwoPi * fc - ww / 2;
  w2 = w1 + ww;
  if (w1 < kLowest) w1 = kLowest;
  if (w2 > kHighest) w2 = kHighest;
  a = std::cos((w1 + w2) / 2) / std::cos((w2 - w1) / 2);
}

}  // namespace Dsp
