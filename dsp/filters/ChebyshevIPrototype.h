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

// Cached on (n, rippleDb).
template <int MaxOrder>
void DesignChebyshevILowPass(AnalogPrototype<MaxOrder>& prototype, int n, double rippleDb)
{
  if (prototype.IsDesignedFor(n, rippleDb)) return;
  PoleZeroLayout<MaxOrder>& layout = prototype.layout;
  layout.Reset(0.0, ChebyshevIDcGain(n, rippleDb));
  const ChebyshevShape shape = ChebyshevIShape(n, rippleDb);
  for (int i = 0; i < n / 2; ++i) layout.AddConjugatePairs(ChebyshevIPole(n, i, shape), Infinity());
  if (n % 2 == 1) layout.AddSingle(-shape.sinhMu, Infinity());
  prototype.MarkDesigned(n, rippleDb);
}

}  // namespace Dsp
