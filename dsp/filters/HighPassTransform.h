#pragma once

#include "dsp/filters/MathConstants.h"
#include "dsp/filters/ComplexQuotient.h"
#include "dsp/filters/DesignMathInline.h"
#include "dsp/filters/PoleZeroLayout.h"

namespace Dsp {

// Bilinear transform of an s-plane low-pass prototype to a digital high-pass at fc cycles
// per sample: z = -(1 + c k) / (1 - c k), k = 1 / tan(pi fc); infinity goes to +1 and the
// normalisation frequency w to pi - w.
class HighPassTransform
{
public:
  // Always inline: a glide makes a transform at every sample.
  __attribute__((always_inline)) explicit HighPassTransform(double fc) : k(DesignMath::Inline::Cot(kPi * fc))
  {}
  // Inline: a glide maps the poles at every sample.
  Complex Map(Complex c) const
  {
    if (IsInfinity(c)) return 1.0;
    return -Quotient(1.0 + c * k, 1.0 - c * k);
  }

  template <int AnalogPoles, int DigitalPoles>
  void Apply(const PoleZeroLayout<AnalogPoles>& analog, PoleZeroLayout<DigitalPoles>& digital) const
  {
    digital.MapFrom(analog, kPi - analog.normalW, [this](Complex c) { return Map(c); });
  }

private:
  double k;
};

}  // namespace Dsp
