#pragma once

#include "dsp/filters/BiquadCascade.h"
#include "dsp/filters/DenormalGuard.h"

namespace Dsp {

// One channel's history for a cascade in direct form II: per stage the intermediate value of
// the previous sample (w1) and of the one before (w2).
template <int MaxStages>
class DirectFormII
{
public:
  void Clear()
  {
    for (Stage& s : stages) s = Stage();
  }

  double Process(double x, const BiquadCascade<MaxStages>& cascade)
  {
    const double g = guard.Next();
    const int count = cascade.stageCount;
    if (count == 0) return x;
    double y = StepFirst(stages[0], cascade.stages[0], x, g);
    for (int i = 1; i < count; ++i) y = Step(stages[i], cascade.stages[i], y);
    return y;
  }

  struct Stage
  {
    double w1 = 0.0;
    double w2 = 0.0;
  };

  Stage stages[MaxStages];
  DenormalGuard guard;

private:
  static double Output(Stage& s, const BiquadCoefficients& c, double w)
  {
    const double y = c.b0 * w + c.b1 * s.w1 + c.b2 * s.w2;
    s.w2 = s.w1;
    s.w1 = w;
    return y;
  }

  static double StepFirst(Stage& s, const BiquadCoefficients& c, double x, double g)
  {
    return Output(s, c, x - c.a1 * s.w1 - c.a2 * s.w2 + g);
  }

  static double Step(Stage& s, const BiquadCoefficients& c, double x)
  {
    return Output(s, c, x - c.a1 * s.w1 - c.a2 * s.w2);
  }
};

}  // namespace Dsp
