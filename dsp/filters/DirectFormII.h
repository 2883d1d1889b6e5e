#pragma once

#include "dsp/filters/DirectForm.h"

namespace Dsp {

// A biquad stage in direct form II: the intermediate value of the previous sample (w1) and
// of the one before (w2).
struct DirectFormIIStage
{
  double w1 = 0.0;
  double w2 = 0.0;

  static double StepFirst(DirectFormIIStage& s, const BiquadCoefficients& c, double x, double g)
  {
    return Output(s, c, x - c.a1 * s.w1 - c.a2 * s.w2 + g);
  }

  static double Step(DirectFormIIStage& s, const BiquadCoefficients& c, double x)
  {
    return Output(s, c, x - c.a1 * s.w1 - c.a2 * s.w2);
  }

  static double Output(DirectFormIIStage& s, const BiquadCoefficients& c, double w)
  {
    const double y = c.b0 * w + c.b1 * s.w1 + c.b2 * s.w2;
    s.w2 = s.w1;
    s.w1 = w;
    return y;
  }
};

template <int MaxStages>
using DirectFormII = DirectForm<DirectFormIIStage, MaxStages>;

}  // namespace Dsp
