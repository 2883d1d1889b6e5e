#pragma once

#include "dsp/filters/DirectForm.h"

namespace Dsp {

// A biquad stage in direct form I: two delayed inputs and two delayed outputs, of one
// channel (T = double) or of a stereo pair.
template <class T> struct DirectFormIHistory
{
  T x2 = T();
  T y2 = T();
  T x1 = T();
  T y1 = T();

  static T StepFirst(DirectFormIHistory& s, const BiquadCoefficients& c, T x, T g)
  {
    return Shift(s, x, Sum(s, c, x) + g);
  }

  static T Step(DirectFormIHistory& s, const BiquadCoefficients& c, T x) { return Shift(s, x, Sum(s, c, x)); }

  static T Sum(const DirectFormIHistory& s, const BiquadCoefficients& c, T x)
  {
    return c.b0 * x + c.b1 * s.x1 + c.b2 * s.x2 - c.a1 * s.y1 - c.a2 * s.y2;
  }

  static T Shift(DirectFormIHistory& s, T x, T y)
  {
    s.x2 = s.x1;
    s.y2 = s.y1;
    s.x1 = x;
    s.y1 = y;
    return y;
  }
};

template <int MaxStages> using DirectFormI = DirectForm<DirectFormIHistory, MaxStages>;

}  // namespace Dsp
