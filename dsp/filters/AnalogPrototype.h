#pragma once

#include "dsp/filters/PoleZeroLayout.h"

namespace Dsp {

// An s-plane prototype with the order and second parameter (gain or ripple in dB) it was
// last designed for, so that a redesign with the same two values is skipped.
template <int MaxOrder> struct AnalogPrototype
{
  bool IsDesignedFor(int n, double param) const { return order == n && parameter == param; }

  void MarkDesigned(int n, double param)
  {
    order = n;
    parameter = param;
  }

  PoleZeroLayout<MaxOrder> layout;
  int order = -1;
  double parameter = 0.0;
};

}  // namespace Dsp
