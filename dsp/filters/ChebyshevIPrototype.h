#pragma once

#include "dsp/filters/AnalogPrototype.h"

namespace Dsp {

// The order-n Chebyshev type I low-pass with rippleDb of pass-band ripple, pass band edge at
// 1 rad/s. Even orders start the ripple at the bottom, so they are normalised to
// 10^(-R/20) at DC, odd orders to 1.
struct ChebyshevShape
{
  double sinhMu;
  double coshMu;
};
ChebyshevShape ChebyshevIShape(int n, double rippleDb);
Complex ChebyshevIPole(int n, int i, const ChebyshevShape& shape);
double ChebyshevIDcGain(int n, double rippleDb);

// The layout for (n, rippleDb), made afresh.
template <int MaxOrder>
void LayOutChebyshevILowPass(AnalogPrototype<MaxOrder>& prototype, int n, double rippleDb)
{
  PoleZeroLayout<MaxOrder>& layout = prototype.layout;
  layout.Reset(0.0, ChebyshevIDcGain(n, rippleDb));
  const ChebyshevShape shape = ChebyshevIShape(n, rippleDb);
  for (int i = 0; i < n / 2; ++i) layout.AddConjugatePairs(ChebyshevIPole(n, i, shape), Infinity());
  if (n % 2 == 1) layout.AddSingle(-shape.sinhMu, Infinity());
  prototype.MarkDesigned(n, rippleDb);
}

// Cached on (n, rippleDb). The check is inline: a glide asks at every sample.
template <int MaxOrder>
inline void DesignChebyshevILowPass(AnalogPrototype<MaxOrder>& prototype, int n, double rippleDb)
{
  if (!prototype.IsDesignedFor(n, rippleDb)) LayOutChebyshevILowPass(prototype, n, rippleDb);
}

}  // namespace Dsp
