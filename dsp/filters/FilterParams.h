#pragma once

namespace Dsp {

// Native parameter values of one design, slot i for parameter i; unused slots stay zero.
struct FilterParams
{
  static constexpr int kMaxParams = 8;

  double& operator[](int i) { return value[i]; }
  double operator[](int i) const { return value[i]; }

  double value[kMaxParams] = {};
};

}  // namespace Dsp
