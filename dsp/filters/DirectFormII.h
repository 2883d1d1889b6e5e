#pragma once

#include "dsp/filters/DirectForm.h"

namespace Dsp {

// A biquad stage in direct form II: the intermediate value of the previous sample (w1) and
// of the one before (w2), of one channel (T = double) or of a stereo pair.
template <class T> struct DirectFormIIHistory
{
  T w1 = T();
  T w2 = T();

  static T StepFirst(DirectFormIIHistory& s, const BiquadCoefficients& c, T x, T g)
  {
    return Output(s, c, x - c.a1 * s.w1 - c.a2 * s.w2 + g);
  }

  static T Step(DirectFormIIHistory& s, const BiquadCoefficients& c, T x)
  {
    return Output(s, c, x - c.a1 * s.w1 - c.a2 * s.w2);
  }

  static T Output(DirectFormIIHistory& s, const BiquadCoefficients& c, T w)
  {
    const T y = c.b0 * w + c.b1 * s.w1 + c.b2 * s.w2;
    s.w2 = s.w1;
    s.w1 = w;
    return y;
  }
};

template <int MaxStages> using DirectFormII = DirectForm<DirectFormIIHistory, MaxStages>;

}  // namespace Dsp
