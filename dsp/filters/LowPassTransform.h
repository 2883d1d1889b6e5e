#pragma once

#include "dsp/filters/ComplexQuotient.h"
#include "dsp/filters/DesignMathInline.h"
#include "dsp/filters/MathConstants.h"
#include "dsp/filters/PoleZeroLayout.h"

namespace Dsp {

// Bilinear transform of an s-plane low-pass prototype to a digital low-pass at fc cycles
// per sample: z = (1 + c k) / (1 - c k), k = tan(pi fc); infinity goes to -1.
class LowPassTransform
{
public:
  // Always inline: a glide makes a transform at every sample.
  __attribute__((always_inline)) explicit LowPassTransform(double fc) : k(DesignMath::Inline::Tan(kPi * fc))
  {}
  // Inline: a glide maps the poles at every sample.
  Complex Map(Complex c) const
  {
    if (IsInfinity(c)) return -1.0;
    return Quotient(1.0 + c * k, 1.0 - c * k);
  }

  template <int AnalogPoles, int DigitalPoles>
  void Apply(const PoleZeroLayout<AnalogPoles>& analog, PoleZeroLayout<DigitalPoles>& digital) const
  {
    digital.MapFrom(analog, analog.normalW, [this](Complex c) { return Map(c); });
  }

private:
  double k;
};

}  // namespace Dsp
