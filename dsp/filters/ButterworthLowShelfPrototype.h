#pragma once

#include "dsp/filters/AnalogPrototype.h"
#include "dsp/filters/MathConstants.h"

namespace Dsp {

// The order-n Butterworth low shelf of gainDb: poles on a circle of radius 1/r, zeros on
// one of radius r, r = g^(1/(2n)), so the response is g at 0 and 1 at infinity.
struct ShelfPoint
{
  Complex pole;
  Complex zero;
};
double ShelfRadius(int n, double gainDb);
ShelfPoint ShelfPair(int n, int i, double r);

// Cached on (n, gainDb).
template <int MaxOrder>
void DesignButterworthLowShelf(AnalogPrototype<MaxOrder>& prototype, int n, double gainDb)
{
  if (prototype.IsDesignedFor(n, gainDb)) return;
  PoleZeroLayout<MaxOrder>& layout = prototype.layout;
  layout.Reset(kPi, 1.0);
  const double r = ShelfRadius(n, gainDb);
  for (int i = 0; i < n / 2; ++i) {
    const ShelfPoint p = ShelfPair(n, i, r);
    layout.AddConjugatePairs(p.pole, p.zero);
  }
  if (n % 2 == 1) layout.AddSingle(-1.0 / r, -r);
  prototype.MarkDesigned(n, gainDb);
}

}  // namespace Dsp
