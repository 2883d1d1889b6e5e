#pragma once

#include "dsp/filters/AnalogPrototype.h"

namespace Dsp {

// Pole i of the order-n Butterworth low-pass: on the unit circle, left half plane.
Complex ButterworthPole(int n, int i);

// Cached on n alone.
template <int MaxOrder> void DesignButterworthLowPass(AnalogPrototype<MaxOrder>& prototype, int n)
{
  if (prototype.IsDesignedFor(n, 0.0)) return;
  PoleZeroLayout<MaxOrder>& layout = prototype.layout;
  layout.Reset(0.0, 1.0);
  for (int i = 0; i < n / 2; ++i) layout.AddConjugatePairs(ButterworthPole(n, i), Infinity());
  if (n % 2 == 1) layout.AddSingle(-1.0, Infinity());
  prototype.MarkDesigned(n, 0.0);
}

}  // namespace Dsp
