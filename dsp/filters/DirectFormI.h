#pragma once

#include "dsp/filters/BiquadCascade.h"
#include "dsp/filters/DenormalGuard.h"

namespace Dsp {

// One channel's history for a cascade in direct form I: per stage two delayed inputs and
// two delayed outputs.
template <int MaxStages>
class DirectFormI
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
    double y = Shift(stages[0], x, Sum(stages[0], cascade.stages[0], x) + g);
    for (int i = 1; i < count; ++i) y = Shift(stages[i], y, Sum(stages[i], cascade.stages[i], y));
    return y;
  }

  struct Stage
  {
    double x2 = 0.0;
    double y2 = 0.0;
    double x1 = 0.0;
    double y1 = 0.0;
  };

  Stage stages[MaxStages];
  DenormalGuard guard;

private:
  static double Sum(const Stage& s, const BiquadCoefficients& c, double x)
  {
    return c.b0 * x + c.b1 * s.x1 + c.b2 * s.x2 - c.a1 * s.y1 - c.a2 * s.y2;
  }

  static double Shift(Stage& s, double x, double y)
  {
    s.x2 = s.x1;
    s.y2 = s.y1;
    s.x1 = x;
    s.y1 = y;
    return y;
  }
};

}  // namespace Dsp
