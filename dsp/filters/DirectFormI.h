#pragma once

#include "dsp/filters/DirectForm.h"

namespace Dsp {

// A biquad stage in direct form I: two delayed inputs and two delayed outputs.
struct DirectFormIStage
{
  double x2 = 0.0;
  double y2 = 0.0;
  double x1 = 0.0;
  double y1 = 0.0;

  static double StepFirst(DirectFormIStage& s, const BiquadCoefficients& c, double x, double g)
  {
    return Shift(s, x, Sum(s, c, x) + g);
  }

  static double Step(DirectFormIStage& s, const BiquadCoefficients& c, double x)
  {
    return Shift(s, x, Sum(s, c, x));
  }

  static double Sum(const DirectFormIStage& s, const BiquadCoefficients& c, double x)
  {
    return c.b0 * x + c.b1 * s.x1 + c.b2 * s.x2 - c.a1 * s.y1 - c.a2 * s.y2;
  }

  static double Shift(DirectFormIStage& s, double x, double y)
  {
    s.x2 = s.x1;
    s.y2 = s.y1;
    s.x1 = x;
    s.y1 = y;
    return y;
  }
};

template <int MaxStages>
using DirectFormI = DirectForm<DirectFormIStage, MaxStages>;

}  // namespace Dsp
